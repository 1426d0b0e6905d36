#include "foundation/containers/ChunkBuffer.h"

#include "foundation/text/TextException.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace ZAV {

CChunk::CChunk(size_t capacity) : m_capacity(capacity), m_data(new unsigned char[capacity]) {}

size_t CChunk::Fill(const unsigned char* data, size_t count)
{
    size_t n = std::min(count, GetFree());
    if (n > 0) {
        std::memcpy(m_data.get() + m_used, data, n);
        m_used += n;
    }
    return n;
}

CChunkBuffer::CChunkBuffer(size_t chunkSize) : m_chunkSize(chunkSize > 0 ? chunkSize : kDefaultChunkSize) {}

CChunkBuffer::~CChunkBuffer()
{
    Reset();
}

void CChunkBuffer::AddChunk()
{
    m_chunks.push_back(boost::shared_ptr<CChunk>(new CChunk(m_chunkSize)));
    m_current = static_cast<int>(m_chunks.size()) - 1;
}

void CChunkBuffer::Append(const void* data, size_t count)
{
    if (count == 0 || !data)
        return;
    if (m_current < 0)
        AddChunk();
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    while (count > 0) {
        if (m_chunks[m_current]->GetFree() == 0)
            AddChunk();
        size_t n = m_chunks[m_current]->Fill(bytes, count);
        bytes += n;
        count -= n;
    }
}

void CChunkBuffer::AppendChar(char c)
{
    Append(&c, 1);
}

void CChunkBuffer::AppendString(const char* text)
{
    if (text)
        Append(text, std::strlen(text));
}

size_t CChunkBuffer::GetSize() const
{
    size_t total = 0;
    for (const auto& chunk : m_chunks)
        total += chunk->GetUsed();
    return total;
}

void CChunkBuffer::CopyTo(CArraySimple<unsigned char, 1>& target) const
{
    size_t total = GetSize();
    target.RemoveAll();
    if (total == 0)
        return;
    // The byte array counts in 32 bits; a larger copy would lose the rest.
    if (total > static_cast<size_t>(INT32_MAX))
        ThrowTextException("Buffer too large for a byte array!");
    target.SetSize(static_cast<int>(total));
    unsigned char* out = target.GetData();
    for (const auto& chunk : m_chunks) {
        if (chunk->GetUsed() > 0)
            std::memcpy(out, chunk->GetData(), chunk->GetUsed());
        out += chunk->GetUsed();
    }
}

void CChunkBuffer::Reset()
{
    m_chunks.clear();
    m_current = -1;
}

}  // namespace ZAV

// A byte buffer that grows by whole chunks, so that bytes once written never
// move: the sink of the output-only data source and the page writer's text.
#pragma once

#include <boost/shared_array.hpp>
#include <boost/shared_ptr.hpp>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/containers/ArraySimple.h"

namespace ZAV {

class CChunk {
public:
    explicit CChunk(size_t capacity);

    size_t GetCapacity() const { return m_capacity; }
    size_t GetUsed() const { return m_used; }
    size_t GetFree() const { return m_capacity - m_used; }
    const unsigned char* GetData() const { return m_data.get(); }

    // Copies as many of the bytes as fit behind the used ones; returns that count.
    size_t Fill(const unsigned char* data, size_t count);

private:
    size_t m_capacity;
    size_t m_used = 0;
    boost::shared_array<unsigned char> m_data;
};

class CChunkBuffer {
public:
    static constexpr size_t kDefaultChunkSize = 100000;

    // A chunk size of 0 would never make room; it is taken as the default.
    explicit CChunkBuffer(size_t chunkSize = kDefaultChunkSize);
    ~CChunkBuffer();

    void AddChunk();
    void Append(const void* data, size_t count);
    void AppendChar(char c);
    // The text's bytes without the terminating zero; null appends nothing.
    void AppendString(const char* text);

    size_t GetSize() const;
    size_t GetChunkSize() const { return m_chunkSize; }
    size_t GetChunkCount() const { return m_chunks.size(); }

    // Empties the array, then gives it every byte in order.
    void CopyTo(CArraySimple<unsigned char, 1>& target) const;

    // Drops every chunk.
    void Reset();

private:
    size_t m_chunkSize;
    std::vector<boost::shared_ptr<CChunk>> m_chunks;
    int m_current = -1;
};

}  // namespace ZAV

#include "interfaces/pictures/PictureInflate.h"

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "foundation/text/TextException.h"

namespace ZAV {

namespace {

constexpr size_t kInflateChunk = 64 * 1024;

// The stream's state is freed however the inflation ends.
class CInflateStream {
public:
    CInflateStream()
    {
        m_stream = z_stream();
        if (inflateInit(&m_stream) != Z_OK)
            ThrowTextException("Not enough memory!");
    }
    ~CInflateStream() { inflateEnd(&m_stream); }
    CInflateStream(const CInflateStream&) = delete;
    CInflateStream& operator=(const CInflateStream&) = delete;

    z_stream& Get() { return m_stream; }

private:
    z_stream m_stream;
};

[[noreturn]] void ThrowCorrupt(const z_stream& stream)
{
    const std::string text = std::string("Invalid Flate data! ") + (stream.msg ? stream.msg : "");
    ThrowTextException(text.c_str());
}

}  // namespace

CArraySimple<unsigned char, 1> InflateAtMost(const uint8_t* data, size_t size, uint64_t limit)
{
    CArraySimple<unsigned char, 1> result;
    if (!data || size == 0 || limit == 0)
        return result;
    limit = std::min<uint64_t>(limit, INT32_MAX);
    CInflateStream holder;
    z_stream& stream = holder.Get();
    std::vector<uint8_t> output;
    std::vector<uint8_t> chunk(kInflateChunk);
    // zlib counts input in 32 bits; larger inputs are fed in parts.
    size_t fed = 0;
    int status = Z_OK;
    while (status != Z_STREAM_END && output.size() < limit) {
        if (stream.avail_in == 0) {
            if (fed == size)
                break;  // the data ends early: keep what it gave
            const size_t part = std::min<size_t>(size - fed, UINT_MAX);
            stream.next_in = const_cast<Bytef*>(data + fed);
            stream.avail_in = static_cast<uInt>(part);
            fed += part;
        }
        stream.next_out = chunk.data();
        stream.avail_out = static_cast<uInt>(chunk.size());
        status = inflate(&stream, Z_NO_FLUSH);
        if (status == Z_NEED_DICT || status == Z_DATA_ERROR || status == Z_MEM_ERROR)
            ThrowCorrupt(stream);
        const size_t produced = chunk.size() - stream.avail_out;
        const size_t room = static_cast<size_t>(limit - output.size());
        output.insert(output.end(), chunk.data(), chunk.data() + std::min(produced, room));
        if (status == Z_BUF_ERROR && stream.avail_in != 0)
            ThrowCorrupt(stream);
    }
    if (!output.empty())
        result.SetData(output.data(), static_cast<int32_t>(output.size()));
    return result;
}

}  // namespace ZAV

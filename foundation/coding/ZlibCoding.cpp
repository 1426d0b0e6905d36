#include "foundation/coding/ZlibCoding.h"

#include <istream>
#include <new>
#include <ostream>

#include <boost/iostreams/copy.hpp>
#include <boost/iostreams/device/array.hpp>
#include <boost/iostreams/filter/zlib.hpp>
#include <boost/iostreams/filtering_streambuf.hpp>
#include <zlib.h>

#include "foundation/text/String.h"
#include "foundation/text/TextException.h"

namespace io = boost::iostreams;

namespace ZAV {

namespace {

constexpr std::streamsize kStreamBufferSize = 4096;

io::zlib_params CompressionParams()
{
    io::zlib_params p;
    p.level = io::zlib::default_compression;  // -1
    p.method = io::zlib::deflated;            // 8
    p.window_bits = 15;
    p.mem_level = 8;
    p.strategy = io::zlib::default_strategy;
    p.noheader = false;  // zlib header and trailer, not raw deflate
    p.calculate_crc = false;
    return p;
}

io::zlib_params DecompressionParams()
{
    io::zlib_params p;
    p.window_bits = 15;
    p.noheader = false;
    return p;
}

// A Boost sink appending to a byte vector.
struct ByteVectorSink {
    typedef char char_type;
    typedef io::sink_tag category;
    std::vector<uint8_t>* bytes;
    std::streamsize write(const char* s, std::streamsize n)
    {
        bytes->insert(bytes->end(), reinterpret_cast<const uint8_t*>(s),
                      reinterpret_cast<const uint8_t*>(s) + n);
        return n;
    }
};

const char* ZlibFaultText(int code)
{
    switch (code) {
    case Z_DATA_ERROR:
        return "corrupt compressed data";
    case Z_BUF_ERROR:
        return "compressed data is truncated";
    case Z_MEM_ERROR:
        return "out of memory";
    case Z_STREAM_ERROR:
        return "invalid stream state";
    case Z_VERSION_ERROR:
        return "incompatible zlib version";
    case Z_NEED_DICT:
        return "compressed data needs a preset dictionary";
    default:
        return "zlib failure";
    }
}

[[noreturn]] void ThrowCodingError(const char* action, const std::string& what, const char* fault)
{
    String text;
    text.Format("Error %s %s: %s!", action, what.c_str(), fault);
    ThrowTextException(text.GetText());
}

// Runs a coding step and turns the failures of the filter library into
// CTextException texts that name the fault.
template <typename Step>
void RunCoding(const char* action, const std::string& what, Step step)
{
    try {
        step();
    } catch (const io::zlib_error& e) {
        ThrowCodingError(action, what, ZlibFaultText(e.error()));
    } catch (const std::bad_alloc&) {
        ThrowCodingError(action, what, "out of memory");
    } catch (const std::ios_base::failure&) {
        ThrowCodingError(action, what, "stream failure");
    }
}

// Inflates everything the chain's source gives into the sink; a stream that
// ends before the zlib trailer is refused, so is output beyond maxOutput bytes.
template <typename Source, typename Sink>
void Inflate(Source& source, Sink&& sink, uint64_t maxOutput, const char* action,
             const std::string& what)
{
    io::filtering_istreambuf in;
    in.push(io::zlib_decompressor(DecompressionParams(), kStreamBufferSize));
    in.push(source);
    char chunk[kStreamBufferSize];
    uint64_t total = 0;
    for (;;) {
        const std::streamsize got = in.sgetn(chunk, sizeof chunk);
        if (got <= 0)
            break;
        total += uint64_t(got);
        if (total > maxOutput) {
            String fault;
            fault.Format("output exceeds %llu bytes", static_cast<unsigned long long>(maxOutput));
            ThrowCodingError(action, what, fault.GetText());
        }
        sink(chunk, got);
    }
    if (!in.component<io::zlib_decompressor>(0)->eof())
        ThrowCodingError(action, what, ZlibFaultText(Z_BUF_ERROR));
}

}  // namespace

std::vector<uint8_t> ZlibCompress(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> result;
    if (!data || size == 0)
        return result;
    RunCoding("compressing", "data", [&] {
        io::filtering_ostreambuf out;
        out.push(io::zlib_compressor(CompressionParams(), kStreamBufferSize));
        out.push(ByteVectorSink{&result});
        io::copy(io::array_source(reinterpret_cast<const char*>(data), size), out);
    });
    return result;
}

std::vector<uint8_t> ZlibDecompress(const uint8_t* data, size_t size, uint64_t maxOutput)
{
    std::vector<uint8_t> result;
    if (!data || size == 0)
        return result;
    RunCoding("decompressing", "data", [&] {
        io::array_source source(reinterpret_cast<const char*>(data), size);
        ByteVectorSink sink{&result};
        Inflate(source, [&](const char* s, std::streamsize n) { sink.write(s, n); }, maxOutput, "decompressing",
                "data");
    });
    return result;
}

void ZlibCompressStream(std::istream& input, std::ostream& output, const std::string& what)
{
    RunCoding("compressing", what, [&] {
        io::filtering_ostreambuf out;
        out.push(io::zlib_compressor(CompressionParams(), kStreamBufferSize));
        out.push(output);
        io::copy(input, out);
    });
}

void ZlibDecompressStream(std::istream& input, std::ostream& output, const std::string& what)
{
    // No bytes at all hold no stream to inflate: the result is empty too.
    if (input.peek() == std::istream::traits_type::eof()) {
        input.clear(input.rdstate() & ~std::ios::eofbit & ~std::ios::failbit);
        return;
    }
    RunCoding("decompressing", what, [&] {
        Inflate(input, [&](const char* s, std::streamsize n) { output.write(s, n); }, UINT64_MAX,
                "decompressing", what);
    });
}

}  // namespace ZAV

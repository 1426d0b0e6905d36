#include "foundation/objects/ZAVEncoder.h"

#include <limits>
#include <vector>

#include "foundation/coding/Base64.h"
#include "foundation/text/String.h"
#include "foundation/text/TextException.h"
#include "foundation/coding/ZlibCoding.h"
#include "foundation/coding/ZlibFileCoding.h"

namespace ZAV {

namespace {

typedef CArraySimple<unsigned char, 1> ByteArray;

// A byte array counts its elements in 32 bits.
void StoreBytes(const uint8_t* data, size_t size, ByteArray& output, const char* action)
{
    if (size > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
        String text;
        text.Format("Error %s data: the result is larger than a byte array can hold!", action);
        ThrowTextException(text.GetText());
    }
    output.SetData(data, static_cast<int32_t>(size));
}

size_t ByteCount(const ByteArray& bytes)
{
    return bytes.GetSize() > 0 ? static_cast<size_t>(bytes.GetSize()) : 0;
}

}  // namespace

void* CZAVEncoder::GetInterfaceView(int32_t id)
{
    return id == zaviidEncoder ? static_cast<IZAVEncoderSp*>(this) : nullptr;
}

void CZAVEncoder::EncodeBase64(const ByteArray& bytes, std::string& text)
{
    text.clear();
    const size_t n = ByteCount(bytes);
    if (n == 0)
        return;
    size_t length = Base64EncodeGetRequiredLength(n, 0);
    std::string coded(length, '\0');
    if (Base64Encode(bytes.GetData(), n, &coded[0], &length, 0)) {
        coded.resize(length);
        text.swap(coded);
    }
}

std::string CZAVEncoder::GetBase64(const ByteArray& bytes)
{
    std::string text;
    EncodeBase64(bytes, text);
    return text;
}

void CZAVEncoder::DecodeBase64(const std::string& text, ByteArray& bytes)
{
    bytes.RemoveAll();
    // Four characters give at most three bytes.
    std::vector<uint8_t> decoded(text.size() / 4 * 3 + 3);
    size_t count = decoded.size();
    Base64Decode(text.data(), text.size(), decoded.data(), &count);
    if (count > 0)
        StoreBytes(decoded.data(), count, bytes, "decoding");
}

ByteArray CZAVEncoder::GetDecodedBase64(const std::string& text)
{
    ByteArray bytes;
    DecodeBase64(text, bytes);
    return bytes;
}

void CZAVEncoder::CompressFile(const std::string& inputPath, const std::string& outputPath)
{
    ZlibCompressFile(inputPath, outputPath);
}

void CZAVEncoder::DecompressFile(const std::string& inputPath, const std::string& outputPath)
{
    ZlibDecompressFile(inputPath, outputPath);
}

void CZAVEncoder::CompressBuffer(const ByteArray& input, ByteArray& output)
{
    const std::vector<uint8_t> packed = ZlibCompress(input.GetData(), ByteCount(input));
    StoreBytes(packed.data(), packed.size(), output, "compressing");
}

ByteArray CZAVEncoder::GetCompressedBuffer(const ByteArray& input)
{
    ByteArray output;
    CompressBuffer(input, output);
    return output;
}

void CZAVEncoder::DecompressBuffer(const ByteArray& input, ByteArray& output)
{
    const std::vector<uint8_t> plain = ZlibDecompress(input.GetData(), ByteCount(input));
    StoreBytes(plain.data(), plain.size(), output, "decompressing");
}

ByteArray CZAVEncoder::GetDecompressedBuffer(const ByteArray& input)
{
    ByteArray output;
    DecompressBuffer(input, output);
    return output;
}

CZAVPtr<IZAVEncoderSp> CreateEncoder()
{
    return QueryInterfaceSp<IZAVEncoderSp>(static_cast<IZAVEncoderSp*>(new CZAVEncoder()));
}

}  // namespace ZAV

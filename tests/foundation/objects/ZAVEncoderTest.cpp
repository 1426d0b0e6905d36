#include "foundation/objects/ZAVEncoder.h"

#include "foundation/text/TextException.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

using namespace ZAV;
using ZAVTest::ThrownText;

namespace {

typedef CArraySimple<unsigned char, 1> ByteArray;

ByteArray Bytes(const std::vector<uint8_t>& values)
{
    return ByteArray(values.data(), static_cast<int32_t>(values.size()));
}

std::vector<uint8_t> Values(const ByteArray& bytes)
{
    return std::vector<uint8_t>(bytes.GetData(), bytes.GetData() + bytes.GetSize());
}

ByteArray Sequence(size_t n)
{
    std::vector<uint8_t> values(n);
    for (size_t i = 0; i < n; ++i)
        values[i] = uint8_t(i * 131 + 7);
    return Bytes(values);
}

}  // namespace

TEST(ZAVEncoder, AnswersItsOwnInterfaceIdAlone)
{
    CZAVPtr<IZAVEncoderSp> encoder = CreateEncoder();
    ASSERT_TRUE(encoder);
    EXPECT_EQ(encoder->GetRefCount(), 1);
    EXPECT_TRUE(encoder->SupportsInterface(zaviidEncoder));
    EXPECT_FALSE(encoder->SupportsInterface(zaviidObject));
    EXPECT_FALSE(encoder->SupportsInterface(54));

    EXPECT_EQ(ThrownText([&] { encoder->QueryInterface(zaviidObject); }), "Interface not available!");
    EXPECT_EQ(encoder->GetRefCount(), 1);
    {
        CZAVPtr<IZAVEncoderSp> second = QueryInterfaceSp<IZAVEncoderSp>(encoder.Get());
        EXPECT_EQ(second.Get(), encoder.Get());
        EXPECT_EQ(encoder->GetRefCount(), 2);
    }
    EXPECT_EQ(encoder->GetRefCount(), 1);
}

TEST(ZAVEncoder, Base64OfByteArrays)
{
    CZAVPtr<IZAVEncoderSp> encoder = CreateEncoder();
    const struct {
        size_t n;
        size_t length;
        size_t pads;
    } cases[] = {{0, 0, 0}, {1, 4, 2}, {2, 4, 1}, {3, 4, 0}, {57, 78, 0}, {58, 82, 2}};
    for (const auto& c : cases) {
        const ByteArray bytes = Sequence(c.n);
        std::string text = "earlier text";
        encoder->EncodeBase64(bytes, text);
        EXPECT_EQ(text.size(), c.length) << c.n;
        EXPECT_EQ(text, encoder->GetBase64(bytes)) << c.n;
        EXPECT_EQ(text.size() - text.find_last_not_of('=') - 1, c.n ? c.pads : 0) << c.n;
        EXPECT_TRUE(encoder->GetDecodedBase64(text).IsEqual(bytes)) << c.n;
    }
    EXPECT_EQ(encoder->GetBase64(Sequence(58)).substr(76, 2), "\r\n");
    EXPECT_EQ(encoder->GetBase64(Bytes({'f', 'o', 'o', 'b', 'a'})), "Zm9vYmE=");

    ByteArray decoded = Sequence(10);
    encoder->DecodeBase64("Zm9v\r\n Ym\tFy", decoded);
    EXPECT_EQ(Values(decoded), (std::vector<uint8_t>{'f', 'o', 'o', 'b', 'a', 'r'}));
    encoder->DecodeBase64("", decoded);
    EXPECT_EQ(decoded.GetSize(), 0);
}

TEST(ZAVEncoder, BufferCompressionRoundTripsAndEmptyInputEmptiesTheOutput)
{
    CZAVPtr<IZAVEncoderSp> encoder = CreateEncoder();
    const ByteArray plain = Sequence(100000);
    const ByteArray packed = encoder->GetCompressedBuffer(plain);
    ASSERT_GT(packed.GetSize(), 0);

    std::vector<uint8_t> system(100001);
    uLongf systemSize = system.size();
    ASSERT_EQ(uncompress(system.data(), &systemSize, packed.GetData(), packed.GetSize()), Z_OK);
    EXPECT_EQ(systemSize, 100000u);
    EXPECT_TRUE(encoder->GetDecompressedBuffer(packed).IsEqual(plain));

    ByteArray output = Sequence(5);
    encoder->DecompressBuffer(packed, output);
    EXPECT_TRUE(output.IsEqual(plain));

    // An empty input leaves an empty output, not what the array held before.
    const ByteArray empty;
    output = Sequence(5);
    encoder->CompressBuffer(empty, output);
    EXPECT_EQ(output.GetSize(), 0);
    output = Sequence(5);
    encoder->DecompressBuffer(empty, output);
    EXPECT_EQ(output.GetSize(), 0);
    EXPECT_EQ(encoder->GetCompressedBuffer(empty).GetSize(), 0);
    EXPECT_EQ(encoder->GetDecompressedBuffer(empty).GetSize(), 0);
}

TEST(ZAVEncoder, CorruptBufferFailsWithATextException)
{
    CZAVPtr<IZAVEncoderSp> encoder = CreateEncoder();
    ByteArray packed = encoder->GetCompressedBuffer(Sequence(5000));
    ByteArray cut(packed.GetData(), packed.GetSize() - 3);
    EXPECT_EQ(ThrownText([&] { encoder->GetDecompressedBuffer(cut); }),
              "Error decompressing data: compressed data is truncated!");
    EXPECT_EQ(ThrownText([&] { encoder->GetDecompressedBuffer(Sequence(64)); }),
              "Error decompressing data: corrupt compressed data!");
}

TEST(ZAVEncoder, FilesThroughTheCoder)
{
    CZAVPtr<IZAVEncoderSp> encoder = CreateEncoder();
    ZAVTest::TempDir dir;
    const ByteArray plain = Sequence(70000);
    ZAVTest::WriteBytes(dir.File("in.bin"), Values(plain));
    encoder->CompressFile(dir.File("in.bin"), dir.File("in.z"));
    EXPECT_TRUE(encoder->GetDecompressedBuffer(Bytes(ZAVTest::ReadBytes(dir.File("in.z")))).IsEqual(plain));
    encoder->DecompressFile(dir.File("in.z"), dir.File("out.bin"));
    EXPECT_EQ(ZAVTest::ReadBytes(dir.File("out.bin")), Values(plain));

    EXPECT_EQ(ThrownText([&] { encoder->DecompressFile(dir.File("none.z"), dir.File("x")); }),
              "File '" + dir.File("none.z") + "' does not exist!");
}

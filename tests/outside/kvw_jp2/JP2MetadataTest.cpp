// Metadata boxes, resolution and palettes we write, read back by our own box
// reader and by jpylyzer, exiftool, Pillow and opj_decompress.
#include <gtest/gtest.h>

#include <cstring>

#include "JP2TestCodec.h"
#include "support/TestSupport.h"

using namespace JP2Test;

namespace {

const char kXml[] = "<?xml version=\"1.0\"?><x:xmpmeta xmlns:x=\"adobe:ns:meta/\"><rdf:RDF "
                    "xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\"><rdf:Description "
                    "xmlns:dc=\"http://purl.org/dc/elements/1.1/\"><dc:format>image/jp2</dc:format>"
                    "</rdf:Description></rdf:RDF></x:xmpmeta>";
// IPTC IIM: record 2, dataset 5 (object name) "Harbour".
const uint8_t kIptc[] = {0x1C, 0x02, 0x05, 0x00, 0x07, 'H', 'a', 'r', 'b', 'o', 'u', 'r'};
const uint8_t kUuid[16] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF,
                           0xFE, 0xDC, 0xBA, 0x98, 0x76, 0x54, 0x32, 0x10};

std::vector<uint8_t> FileWithMetadata()
{
    EncodeRequest request;
    request.width = 24;
    request.height = 12;
    request.components = 3;
    request.pixels.assign(24 * 12 * 3, 200);
    request.before = [](JP2_Comp_Handle handle) {
        EXPECT_EQ(JP2_Compress_SetXML_Data(handle, reinterpret_cast<const uint8_t*>(kXml), sizeof(kXml) - 1), 0);
        EXPECT_EQ(JP2_Compress_SetIP_Data(handle, reinterpret_cast<const uint8_t*>("rights"), 6), 0);
        EXPECT_EQ(JP2_Compress_SetIPTC_Data(handle, kIptc, sizeof(kIptc)), 0);
        EXPECT_EQ(JP2_Compress_SetUUID_Data(handle, kUuid, reinterpret_cast<const uint8_t*>("private"), 7), 0);
        EXPECT_EQ(JP2_Compress_SetUUID_Info(handle, kUuid, 1, "", 1), 0);
        EXPECT_EQ(JP2_Compress_SetResolution(handle, 150, 300, 0, 0, 0), 0);
    };
    std::vector<uint8_t> file;
    EXPECT_EQ(EncodeJP2(request, file), 0);
    return file;
}

std::string Text(const uint8_t* data, uint32_t size)
{
    return std::string(reinterpret_cast<const char*>(data), size);
}

}  // namespace

TEST(JP2Metadata, BoxesComeBackThroughOurReader)
{
    const std::vector<uint8_t> file = FileWithMetadata();
    ASSERT_EQ(WithDecoder(file,
                          [](JP2_Decomp_Handle handle) {
                              uint32_t count = 0, size = 0;
                              const uint8_t* data = nullptr;
                              ASSERT_EQ(JP2_Decompress_GetXML_Num(handle, &count), 0);
                              ASSERT_EQ(count, 1u);
                              ASSERT_EQ(JP2_Decompress_GetXML_Data(handle, 0, &data, &size), 0);
                              EXPECT_EQ(Text(data, size), kXml);
                              ASSERT_EQ(JP2_Decompress_GetIP_Data(handle, 0, &data, &size), 0);
                              EXPECT_EQ(Text(data, size), "rights");
                              ASSERT_EQ(JP2_Decompress_GetIPTC_Data(handle, 0, &data, &size), 0);
                              EXPECT_EQ(std::vector<uint8_t>(data, data + size),
                                        std::vector<uint8_t>(kIptc, kIptc + sizeof(kIptc)));
                              // The IPTC box is not listed among the UUID boxes.
                              ASSERT_EQ(JP2_Decompress_GetUUID_Num(handle, &count), 0);
                              ASSERT_EQ(count, 1u);
                              JP2_UUID_Text id;
                              ASSERT_EQ(JP2_Decompress_GetUUID_Id(handle, 0, &id), 0);
                              EXPECT_STREQ(id.text, "0123456789ABCDEFFEDCBA9876543210");
                              ASSERT_EQ(JP2_Decompress_GetUUID_Data(handle, 0, &data, &size), 0);
                              EXPECT_EQ(Text(data, size), "private");
                              const JP2_UUID_Text* ids = nullptr;
                              const char* url = nullptr;
                              ASSERT_EQ(JP2_Decompress_GetUUID_Info_Data(handle, 0, &ids, &count, &url), 0);
                              ASSERT_EQ(count, 1u);
                              EXPECT_STREQ(ids[0].text, id.text);
                              EXPECT_STREQ(url, "");
                              double x = 0, y = 0;
                              ASSERT_EQ(JP2_Decompress_GetResolution(handle, &x, &y, nullptr, 0, 0), 0);
                              EXPECT_EQ(x, 300.0);
                              EXPECT_EQ(y, 150.0);
                          }),
              0);
}

TEST(JP2Metadata, OtherToolsReadWhatWeWrite)
{
    ASSERT_TRUE(ZAVTest::HaveTool("jpylyzer"));
    ASSERT_TRUE(ZAVTest::HaveTool("exiftool"));
    ASSERT_TRUE(ZAVTest::HaveTool("/usr/bin/python3"));
    ZAVTest::TempDir dir;
    const std::string path = dir.File("meta.jp2");
    ZAVTest::WriteBytes(path, FileWithMetadata());
    const auto valid = ZAVTest::Run("jpylyzer " + path);
    EXPECT_NE(valid.output.find("<isValid format=\"jp2\">True</isValid>"), std::string::npos) << valid.output;
    const auto exif = ZAVTest::Run("exiftool -a -G1 " + path);
    EXPECT_NE(exif.output.find("image/jp2"), std::string::npos) << exif.output;  // the XMP in our xml box
    EXPECT_NE(exif.output.find("Harbour"), std::string::npos) << exif.output;    // IPTC object name
    // exiftool gives dots per centimetre: 300 / 2.54.
    EXPECT_NE(exif.output.find("Capture X Resolution            : 118.1102"), std::string::npos) << exif.output;
    const auto pillow =
        ZAVTest::Run("/usr/bin/python3 -c \"from PIL import Image; print(Image.open('" + path + "').info['dpi'])\"");
    EXPECT_NE(pillow.output.find("(300"), std::string::npos) << pillow.output;
    EXPECT_NE(pillow.output.find("150"), std::string::npos) << pillow.output;
}

TEST(JP2Metadata, PalettePicturesShowOurColours)
{
    const uint32_t colours[4][3] = {{255, 0, 0}, {0, 128, 0}, {10, 20, 250}, {77, 77, 77}};
    std::vector<uint32_t> columns[3];
    for (const auto& colour : colours)
        for (int c = 0; c < 3; ++c)
            columns[c].push_back(colour[c]);
    JP2_Palette_Column column[3] = {};
    for (int c = 0; c < 3; ++c) {
        column[c].values = columns[c].data();
        column[c].bits = 8;
    }
    const JP2_Palette palette = {4, 3, column};
    EncodeRequest request;
    request.width = 16;
    request.height = 8;
    request.components = 1;
    for (uint32_t i = 0; i < 16 * 8; ++i)
        request.pixels.push_back(static_cast<uint8_t>(i % 4));
    request.before = [&](JP2_Comp_Handle handle) { EXPECT_EQ(JP2_Compress_SetPalette(handle, &palette), 0); };
    std::vector<uint8_t> file;
    ASSERT_EQ(EncodeJP2(request, file), 0);
    ZAVTest::TempDir dir;
    ZAVTest::WriteBytes(dir.File("palette.jp2"), file);
    // opj_decompress applies the palette: three planes of colours.
    const std::vector<uint8_t> planes = OpjRaw(dir.File("palette.jp2"));
    ASSERT_EQ(planes.size(), 16u * 8 * 3);
    for (uint32_t i = 0; i < 16 * 8; ++i)
        for (uint32_t c = 0; c < 3; ++c)
            ASSERT_EQ(planes[c * 128 + i], colours[i % 4][c]);
    const Decoded decoded = DecodeJP2(file);
    EXPECT_EQ(decoded.colourSpace, cJP2_Space_sRGB + 1);
    WithDecoder(file, [&](JP2_Decomp_Handle handle) {
        const JP2_Palette* read = nullptr;
        ASSERT_EQ(JP2_Decompress_GetPalette(handle, &read), 0);
        ASSERT_EQ(read->entries, 4u);
        ASSERT_EQ(read->columns, 3u);
        EXPECT_EQ(read->column[2].values[2], 250u);
    });
}

// Damaged and hostile data: every case ends in a failure status, never a
// crash, and the inputs the fuzz targets kept are replayed.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>

#include "JP2TestCodec.h"
#include "fuzz/JP2FuzzEntries.h"
#include "support/TestSupport.h"

using namespace JP2Test;

namespace {

std::vector<uint8_t> Encoded(uint32_t container, bool palette)
{
    EncodeRequest request;
    request.width = 16;
    request.height = 16;
    request.components = palette ? 1 : 3;
    request.pixels.assign(16 * 16 * request.components, 3);
    request.properties = {{cJP2_Prop_Container, container}};
    static uint32_t grey[3][2] = {{0, 255}, {0, 255}, {0, 255}};
    static JP2_Palette_Column columns[3] = {{grey[0], 8, 0, {}}, {grey[1], 8, 0, {}}, {grey[2], 8, 0, {}}};
    static const JP2_Palette table = {2, 3, columns};
    if (palette)
        request.before = [](JP2_Comp_Handle handle) { JP2_Compress_SetPalette(handle, &table); };
    std::vector<uint8_t> out;
    EXPECT_EQ(EncodeJP2(request, out), 0);
    return out;
}

size_t Find(const std::vector<uint8_t>& bytes, const char* type)
{
    for (size_t i = 0; i + 4 <= bytes.size(); ++i)
        if (std::memcmp(bytes.data() + i, type, 4) == 0)
            return i;
    ADD_FAILURE() << type;
    return 0;
}

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<uint8_t>(value >> (24 - 8 * i));
}

struct Damage {
    const char* name;
    std::function<std::vector<uint8_t>()> make;
    JP2_Error expected;  // 0: any failure
};

}  // namespace

TEST(JP2Damaged, DamagedFilesGiveAStatusNeverACrash)
{
    const std::vector<uint8_t> jp2 = Encoded(1, false), raw = Encoded(0, false), pal = Encoded(1, true);
    // Offsets in a raw codestream's SIZ (T.800 A.5.1): Xsiz 8, Ysiz 12, XTsiz 24, YTsiz 28, Ssiz 42.
    const Damage cases[] = {
        {"empty", [] { return std::vector<uint8_t>(); }, 0},
        {"truncated", [&] { return std::vector<uint8_t>(jp2.begin(), jp2.begin() + jp2.size() / 2); }, 0},
        {"header_box_too_long",
         [&] {
             auto b = jp2;
             Put32(b, Find(b, "jp2h") - 4, 0x00FFFFFF);
             return b;
         },
         0},
        {"not_jp2_compatible",
         [&] {
             auto b = jp2;
             std::memcpy(b.data() + Find(b, "ftyp") + 4, "jpx ", 4);
             std::memcpy(b.data() + Find(b, "ftyp") + 12, "jpx ", 4);
             return b;
         },
         cJP2_Error_Unsupported},
        {"two_codestreams",
         [&] {
             auto b = jp2;
             const size_t box = Find(b, "jp2c") - 4;
             b.insert(b.end(), jp2.begin() + box, jp2.end());
             return b;
         },
         cJP2_Error_Unsupported},
        {"ihdr_width_disagrees",
         [&] {
             auto b = jp2;
             Put32(b, Find(b, "ihdr") + 8, 17);
             return b;
         },
         cJP2_Error_Invalid_File},
        {"palette_without_entries",
         [&] {
             auto b = pal;
             b[Find(b, "pclr") + 4] = 0;
             b[Find(b, "pclr") + 5] = 0;
             return b;
         },
         cJP2_Error_Invalid_File},
        {"component_map_column_missing",
         [&] {
             auto b = pal;
             b[Find(b, "cmap") + 7] = 9;
             return b;
         },
         cJP2_Error_Invalid_File},
        {"samples_above_the_limit",
         [&] {
             auto b = raw;
             for (size_t at : {8, 12, 24, 28})
                 Put32(b, at, 60000);
             return b;
         },
         cJP2_Error_Too_Large},
        {"seventeen_bits",
         [&] {
             auto b = raw;
             b[42] = 16;
             return b;
         },
         cJP2_Error_Unsupported},
    };
    for (const Damage& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<uint8_t> bytes = c.make();
        const Decoded decoded = DecodeJP2(bytes);
        EXPECT_NE(decoded.status, 0);
        if (c.expected != 0) {
            EXPECT_EQ(decoded.status, c.expected);
        }
        ZAVFuzz::ReadJP2(bytes.data(), bytes.size(), true);
    }
}

TEST(JP2Damaged, KeptFuzzInputsEndWithoutACrashOrALeak)
{
    size_t replayed = 0;
    for (const char* folder : {"fuzz/kvwjp2_boxes_fuzzer", "fuzz/kvwjp2_decode_fuzzer"}) {
        const std::filesystem::path path = ZAVTest::DataPath(folder);
        if (!std::filesystem::is_directory(path))
            continue;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path)) {
            if (!entry.is_regular_file())
                continue;
            SCOPED_TRACE(entry.path().string());
            const auto bytes = ZAVTest::ReadBytes(entry.path().string());
            ZAVFuzz::ReadJP2(bytes.data(), bytes.size(), true);
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0u);
}

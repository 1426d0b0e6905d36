// Opening JBIG2 data through the exported document functions, collecting
// decoded rows, and PBM pictures to compare them with.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "jbig2codec/kvd_jb2.h"
#include "support/TestSupport.h"
#include "tests/jbig2codec/JB2TestSupport.h"

namespace JB2Test {

struct Picture {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> rows;  // packed, (width + 7) / 8 bytes per row

    bool operator==(const Picture& other) const
    {
        return width == other.width && height == other.height && rows == other.rows;
    }
    bool operator!=(const Picture& other) const { return !(*this == other); }
};

// The binary PBM pictures (P4) held one after the other in bytes.
inline std::vector<Picture> ParsePbm(const std::vector<uint8_t>& bytes)
{
    std::vector<Picture> pictures;
    size_t at = 0;
    auto number = [&]() -> uint32_t {
        while (at < bytes.size() && (isspace(bytes[at]) || bytes[at] == '#')) {
            if (bytes[at] == '#')
                while (at < bytes.size() && bytes[at] != '\n')
                    ++at;
            else
                ++at;
        }
        uint32_t value = 0;
        while (at < bytes.size() && isdigit(bytes[at]))
            value = value * 10 + (bytes[at++] - '0');
        return value;
    };
    while (at + 2 < bytes.size() && bytes[at] == 'P' && bytes[at + 1] == '4') {
        at += 2;
        Picture picture;
        picture.width = number();
        picture.height = number();
        ++at;  // the single blank after the height
        const size_t size = static_cast<size_t>((picture.width + 7) / 8) * picture.height;
        if (at + size > bytes.size())
            break;
        picture.rows.assign(bytes.begin() + at, bytes.begin() + at + size);
        at += size;
        pictures.push_back(picture);
    }
    return pictures;
}

inline std::vector<uint8_t> DataFile(const std::string& name)
{
    return ZAVTest::ReadBytes(ZAVTest::DataPath("jbig2/" + name));
}

// One document handle over bytes in memory, with a counting allocator.
struct Document {
    Allocator allocator;
    Messages messages;
    Source source;
    JB2_Handle_Document handle = nullptr;
    JB2_Error started = -1;

    explicit Document(const std::vector<uint8_t>& bytes, bool withMessages = true)
    {
        source.bytes = bytes;
        started = JB2_Document_Start(&handle, Allocator::Alloc, &allocator, Allocator::Free, &allocator, Source::Read,
                                     &source, withMessages ? Messages::Collect : nullptr, &messages);
    }
    ~Document()
    {
        if (handle) {
            EXPECT_EQ(JB2_Document_End(&handle), 0);
        }
        EXPECT_EQ(allocator.Live(), 0u);
    }

    uint32_t Property(uint32_t key)
    {
        uint32_t value = 0;
        EXPECT_EQ(JB2_Document_Get_Property(handle, key, &value), 0) << key;
        return value;
    }

    struct Rows {
        std::vector<std::vector<uint8_t>> rows;
        std::vector<uint32_t> numbers;
        uint32_t width = 0;
        uint32_t stopAt = UINT32_MAX;  // row number whose delivery fails
    };

    static JB2_Error Collect(const uint8_t* row, uint32_t number, uint32_t width, uint32_t one, void* user)
    {
        auto* rows = static_cast<Rows*>(user);
        if (one != 1)
            return -99;
        if (number == rows->stopAt)
            return cJB2_Error_Output_Failure;
        rows->width = width;
        rows->numbers.push_back(number);
        rows->rows.emplace_back(row, row + (width + 7) / 8);
        return 0;
    }

    // Decodes page `page` whole; the status is in *status.
    Picture Decode(uint32_t page, JB2_Error* status)
    {
        Picture picture;
        *status = JB2_Document_Set_Page(handle, page);
        if (*status != 0)
            return picture;
        Rows rows;
        *status = JB2_Document_Decompress_Page(handle, 1, 1, 0, 0, 0, 0, Collect, &rows);
        picture.width = rows.width;
        picture.height = static_cast<uint32_t>(rows.rows.size());
        for (const auto& row : rows.rows)
            picture.rows.insert(picture.rows.end(), row.begin(), row.end());
        return picture;
    }

    std::vector<uint8_t> Export(uint32_t format, JB2_Error* status, int64_t page = -1)
    {
        Target target;
        *status = page < 0
                      ? JB2_Document_Export_Document(handle, Target::Write, &target, format)
                      : JB2_Document_Export_Page(handle, static_cast<uint32_t>(page), Target::Write, &target, format);
        return target.bytes;
    }
};

// Runs jbig2dec on a JBIG2 file (or an embedded page stream) and reads its PBM.
inline std::vector<Picture> Jbig2dec(const std::vector<uint8_t>& data, bool embedded = false)
{
    ZAVTest::TempDir dir;
    const std::string in = dir.File("in.jb2");
    const std::string out = dir.File("out.pbm");
    ZAVTest::WriteBytes(in, data);
    const auto result = ZAVTest::Run(std::string("jbig2dec -q ") + (embedded ? "-e " : "") + "-t pbm -o " +
                                     ZAVTest::ShellQuote(out) + " " + ZAVTest::ShellQuote(in));
    EXPECT_EQ(result.exitCode, 0) << result.output;
    if (!ZAVTest::FileExists(out))
        return {};
    return ParsePbm(ZAVTest::ReadBytes(out));
}

}  // namespace JB2Test

// What the JBIG2 compression fuzz target does with one input, shared with
// the test that replays kept inputs: the input becomes a small page, coded
// losslessly through the symbol path; the file written is opened again and
// its page must be the input page, else the target aborts.
//
// Input: width - 1 and height - 1 (byte 0 and 1, taken modulo the largest
// side), the choices (byte 2: bit 0 matching mode 2 rather than 1, bits 1-2
// the text template, bit 3 MMR rather than arithmetic, bits 4-5 the generic
// template), then the page rows, packed; missing bytes are white.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "fuzz/JB2FuzzEntries.h"

namespace ZAVFuzz {

// Pages up to this side keep one run of the target within milliseconds.
constexpr uint32_t kMaxCompressSide = 160;

struct JB2Page {
    uint32_t width;
    uint32_t height;
    uint32_t stride;
    std::vector<uint8_t> rows;
};

inline JB2Page PageFromInput(const uint8_t* data, size_t size)
{
    JB2Page page;
    page.width = data[0] % kMaxCompressSide + 1;
    page.height = data[1] % kMaxCompressSide + 1;
    page.stride = (page.width + 7) / 8;
    page.rows.assign(size_t(page.stride) * page.height, 0);
    const size_t given = size - 3 < page.rows.size() ? size - 3 : page.rows.size();
    std::memcpy(page.rows.data(), data + 3, given);
    if (page.width % 8)
        for (uint32_t y = 0; y < page.height; ++y)
            page.rows[size_t(y) * page.stride + page.stride - 1] &= uint8_t(0xFF << (8 - page.width % 8));
    return page;
}

inline uint32_t JB2Collect(const uint8_t* buffer, uint32_t offset, uint32_t count, void* user)
{
    auto* bytes = static_cast<std::vector<uint8_t>*>(user);
    if (bytes->size() < size_t(offset) + count)
        bytes->resize(size_t(offset) + count);
    std::memcpy(bytes->data() + offset, buffer, count);
    return count;
}

struct JB2Compare {
    const JB2Page* page;
    uint32_t rows;
};

inline JB2_Error JB2CompareRow(const uint8_t* row, uint32_t number, uint32_t width, uint32_t, void* user)
{
    auto* compare = static_cast<JB2Compare*>(user);
    const JB2Page& page = *compare->page;
    if (number >= page.height || width != page.width ||
        std::memcmp(row, page.rows.data() + size_t(number) * page.stride, page.stride) != 0)
        std::abort();
    ++compare->rows;
    return 0;
}

// The page compressed with the input's choices, as a JBIG2 file.
inline std::vector<uint8_t> CompressPage(const JB2Page& page, uint8_t choices)
{
    JB2_Handle_Compress handle = nullptr;
    if (JB2_Compress_Start(&handle, JB2Alloc, nullptr, JB2Free, nullptr, nullptr, nullptr) != 0)
        std::abort();
    const uint32_t properties[][2] = {
        {cJB2_Prop_Width, page.width},
        {cJB2_Prop_Height, page.height},
        {cJB2_Prop_Symbol_Matching_Mode, choices & 1 ? 2u : 1u},
        {cJB2_Prop_Text_Template, (choices >> 1) & 3u},
        {cJB2_Prop_Bitmap_Coder, choices & 8 ? uint32_t(cJB2_Coder_MMR) : uint32_t(cJB2_Coder_Arithmetic)},
        {cJB2_Prop_Generic_Template, (choices >> 4) & 3u},
        {cJB2_Prop_Encoding_Mode, cJB2_Encoding_Lossless},
    };
    for (const auto& property : properties)
        if (JB2_Compress_Set_Property(handle, property[0], property[1]) != 0)
            std::abort();
    for (uint32_t y = 0; y < page.height; ++y)
        if (JB2_Compress_Line(handle, page.rows.data() + size_t(y) * page.stride) != 0)
            std::abort();
    JB2_Handle_Document document = nullptr;
    std::vector<uint8_t> file;
    if (JB2_Compress_End(&handle, &document) != 0 ||
        JB2_Document_Export_Document(document, JB2Collect, &file, cJB2_Export_Format_JBIG2_File) != 0)
        std::abort();
    JB2_Document_End(&document);
    return file;
}

inline void CompressAndCheck(const uint8_t* data, size_t size)
{
    if (size < 3)
        return;
    const JB2Page page = PageFromInput(data, size);
    const std::vector<uint8_t> file = CompressPage(page, data[2]);
    JB2Input input = {file.data(), file.size()};
    JB2_Handle_Document document = nullptr;
    JB2Compare compare = {&page, 0};
    if (JB2_Document_Start(&document, JB2Alloc, nullptr, JB2Free, nullptr, JB2Read, &input, nullptr, nullptr) != 0 ||
        JB2_Document_Set_Page(document, 0) != 0 ||
        JB2_Document_Decompress_Page(document, 1, 1, 0, 0, 0, 0, JB2CompareRow, &compare) != 0 ||
        compare.rows != page.height)
        std::abort();
    JB2_Document_End(&document);
}

}  // namespace ZAVFuzz

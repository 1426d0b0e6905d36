// What the JBIG2 fuzz target does with one input, shared with the test that
// replays every input kept under tests/data/fuzz/: open it as a document,
// ask whether its regions can be drawn, decode every page, export it in every
// format, and export it again after its last page was inserted at the front. Any status is fine; a
// crash, a hang or a leak is not.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "jbig2codec/kvd_jb2.h"

namespace ZAVFuzz {

// The largest page the fuzz target decodes.
constexpr uint64_t kMaxFuzzPixels = 1u << 22;

struct JB2Input {
    const uint8_t* data;
    size_t size;
};

inline void* JB2Alloc(uint32_t size, void*)
{
    return std::malloc(size);
}

inline JB2_Error JB2Free(void* pointer, void*)
{
    std::free(pointer);
    return 0;
}

inline uint32_t JB2Read(uint8_t* buffer, uint32_t offset, uint32_t count, void* user)
{
    const auto* input = static_cast<const JB2Input*>(user);
    if (offset >= input->size)
        return 0;
    const size_t available = input->size - offset;
    const uint32_t n = available < count ? static_cast<uint32_t>(available) : count;
    std::memcpy(buffer, input->data + offset, n);
    return n;
}

inline uint32_t JB2Discard(const uint8_t*, uint32_t, uint32_t count, void*)
{
    return count;
}

inline JB2_Error JB2TakeRow(const uint8_t* row, uint32_t, uint32_t width, uint32_t, void* user)
{
    // Touch every byte of the row so that a short row shows.
    uint8_t sum = 0;
    for (uint32_t i = 0; i < (width + 7) / 8; ++i)
        sum = static_cast<uint8_t>(sum + row[i]);
    *static_cast<uint8_t*>(user) ^= sum;
    return 0;
}

inline void DecodeJBIG2(const uint8_t* data, size_t size)
{
    JB2Input input = {data, size};
    JB2_Handle_Document document = nullptr;
    if (JB2_Document_Start(&document, JB2Alloc, nullptr, JB2Free, nullptr, JB2Read, &input, nullptr, nullptr) != 0)
        return;
    uint32_t pages = 0;
    JB2_Document_Get_Property(document, cJB2_Prop_Number_Of_Pages, &pages);
    uint32_t supported = 0;
    JB2_Document_Get_Property(document, cJB2_Prop_Regions_Supported, &supported);
    uint8_t sum = 0;
    // Page counts come from the file: look at the first few only.
    for (uint32_t page = 0; page < pages && page < 4; ++page) {
        if (JB2_Document_Set_Page(document, page) != 0)
            break;
        // Decoding costs time by the pixel: pages larger than a small scan
        // are left to the tests, and a corner of the page is delivered.
        uint32_t width = 0;
        uint32_t height = 0;
        JB2_Document_Get_Property(document, cJB2_Prop_Width, &width);
        JB2_Document_Get_Property(document, cJB2_Prop_Height, &height);
        if (width == 0 || height == 0 || static_cast<uint64_t>(width) * height > kMaxFuzzPixels)
            continue;
        JB2_Document_Decompress_Page(document, 1, 1, width > 3 ? 3 : 0, width > 3 ? (width < 70 ? width : 70) : 0, 0,
                                     width > 3 ? (height < 64 ? height : 64) : 0, JB2TakeRow, &sum);
        JB2_Document_Export_Page(document, page, JB2Discard, nullptr, cJB2_Export_Format_Stream_For_PDF);
    }
    JB2_Document_Export_Document(document, JB2Discard, nullptr, cJB2_Export_Format_JBIG2_File);
    JB2_Document_Export_Document(document, JB2Discard, nullptr, cJB2_Export_Format_PDF);
    // Pages out of file order are exported page by page.
    if (pages > 0 && pages < 4 && JB2_Document_Insert_Page(document, 0, document, pages - 1) == 0)
        JB2_Document_Export_Document(document, JB2Discard, nullptr, cJB2_Export_Format_JBIG2_File);
    JB2_Document_End(&document);
}

// PDF's way with JBIG2: the /JBIG2Globals stream in front of the page's
// stream, decoded as one embedded stream. The input's first two bytes (big
// endian) give the length of the globals part; the rest is the page stream.
inline void DecodeGlobalsAndPage(const uint8_t* data, size_t size)
{
    if (size < 2)
        return;
    const size_t globals = (static_cast<size_t>(data[0]) << 8) | data[1];
    if (globals > size - 2)
        return;
    DecodeJBIG2(data + 2, size - 2);
}

}  // namespace ZAVFuzz

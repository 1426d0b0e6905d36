// What the facet tests over the stand-in library share: images made in the
// test, the handles of the objects image-edit objects keep for the advanced
// forms, and expected call lines with handles put in.
#pragma once

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "interfaces/advanced/ZAVAdvancedImgProcSp.h"
#include "interfaces/imageedit/ZAVImageEditSp.h"
#include "tests/interfaces/advanced/FakeKorvex55Control.h"

namespace ZAVTest {

inline std::string Address(const void* pointer)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%p", pointer);
    return text;
}

inline ZAV::CZAVPtr<ZAV::IZAVImageEditSp> MakeImage(int width, int height, ZAV::zavBitsPerPixel depth)
{
    ZAV::CZAVPtr<ZAV::IZAVImageEditSp> image = ZAV::CreateImageEditSp();
    if (width > 0 && height > 0)
        image->Create(width, height, depth);
    return image;
}

inline ZAV::CZAVInt32Array Ints(std::vector<int32_t> values)
{
    return ZAV::CZAVInt32Array(values);
}

// The handle of the object the image keeps for its advanced forms.
inline KORV_Handle HeldHandle(ZAV::IZAVImageEditSp& image)
{
    return image.CreateAdvancedImgProc()->GetLibraryHandle();
}

// References to that kept object beside the image's own (and the one this
// query holds while it asks).
inline int32_t HeldCount(ZAV::IZAVImageEditSp& image)
{
    return image.CreateAdvancedImgProc()->GetRefCount() - 2;
}

// The pattern with each "{name}" replaced by the handle given for it.
inline std::string WithHandles(std::string pattern, const std::map<std::string, KORV_Handle>& handles)
{
    for (const auto& [name, handle] : handles) {
        const std::string key = "{" + name + "}";
        for (size_t at = pattern.find(key); at != std::string::npos; at = pattern.find(key))
            pattern.replace(at, key.size(), std::to_string(handle));
    }
    return pattern;
}

// The line lending the image's current pixels to the handle.
inline std::string AttachLine(KORV_Handle handle, ZAV::IZAVImageEditSp& image)
{
    return "AttachNoFree(" + std::to_string(handle) + ", " + Address(image.GetImageData()) + ", " +
           std::to_string(image.GetImageSize()) + ", " + std::to_string(image.GetWidth()) + ", " +
           std::to_string(image.GetHeight()) + ", " + std::to_string(image.GetBitsPerPixel()) + ")";
}

inline std::string LastLineOf(const std::vector<std::string>& lines, const std::string& start)
{
    for (auto line = lines.rbegin(); line != lines.rend(); ++line)
        if (line->rfind(start, 0) == 0)
            return *line;
    return "";
}

// The recorded lines without the queries the forms make on the way.
inline std::vector<std::string> WorkLines(CFakeKorvex55& fake)
{
    std::vector<std::string> lines;
    for (const std::string& line : fake.CallLines()) {
        const std::string name = line.substr(0, line.find('('));
        if (name != "GetError" && name != "CreateCZAVAdvancedImgProc" && name != "FreeCZAVAdvancedImgProc")
            lines.push_back(line);
    }
    return lines;
}

}  // namespace ZAVTest

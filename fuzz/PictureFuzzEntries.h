// What the picture fuzz target does with one input, shared with the test
// that replays every input kept under tests/data/fuzz/: the bytes are
// opened as a PDF document and the pictures of every page are extracted
// and decoded. Each page must end in pictures or in a CTextException:
// never a crash, a hang or a leak.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "foundation/files/FileUtils.h"
#include "foundation/text/TextException.h"
#include "interfaces/ZAVPdfDocumentSp.h"

namespace ZAVFuzz {

// Pages a fuzzed file may have extracted.
const int kMaxPagesExtracted = 16;

// The plug-in beside the running program, or "" when it is not there (the
// fuzz build makes no plug-ins: JPEG 2000 and JBIG2 pictures then fail as
// pictures without their plug-in, which their own targets fuzz).
inline std::string PluginBeside(const char* fileName)
{
    const std::string path = (ZAV::GetModuleDirectory(nullptr) + fileName).ToStdString();
    return ZAV::FileExists(path.c_str()) ? path : std::string();
}

inline void ExtractEveryPicture(const uint8_t* data, size_t size)
{
    // The document object reads files: the input goes to one of this
    // process's own.
    static const std::string path = "/tmp/zav-pictures-fuzz-" + std::to_string(getpid()) + ".pdf";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return;
    const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
    if (std::fclose(file) != 0 || !written)
        return;
    ZAV::CZAVPtr<ZAV::IZAVPdfDocumentSp> document = ZAV::CreatePdfDocumentSp();
    document->SetJpeg2000PluginPath(PluginBeside("ZAVJ2k20.so"));
    document->SetJbig2PluginPath(PluginBeside("ZAVJbg20.so"));
    try {
        document->Load(path);
    } catch (const CTextException&) {
        return;
    }
    const int pages = document->GetPageCount() < kMaxPagesExtracted ? document->GetPageCount() : kMaxPagesExtracted;
    for (int i = 0; i < pages; ++i) {
        try {
            // Every picture decoded: stored JPEG data too.
            document->GetPage(i)->GetPictures(0);
        } catch (const CTextException&) {
        }
    }
}

}  // namespace ZAVFuzz

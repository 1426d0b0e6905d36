#include "plugins/jbig2/status/Jbig2StatusReporter.h"

#include <cstdio>
#include <cstdlib>

#include "foundation/datasource/DataSource.h"
#include "foundation/text/TextException.h"

namespace ZAV {

namespace {

struct StatusText {
    JB2_Error status;
    const char* text;
};

const StatusText kStatusTexts[] = {
    {-1, "Invalid handle!"},
    {-2, "Callback allocation!"},
    {-3, "Callback no free!"},
    {-4, "Callback read error!"},
    {-5, "Allocation failure!"},
    {-6, "Free failure!"},
    {-7, "Invalid pointer!"},
    {-8, "Invalid property key!"},
    {-11, "Invalid property value!"},
    {-12, "Write failure!"},
    {-13, "Read failure!"},
    {-14, "Invalid file!"},
    {-15, "Inalid number of pages!"},
    {-16, "Invalid index!"},
    {-17, "Invalid cache style!"},
    {-18, "Invalid export format!"},
    {-19, "Invalid segment data!"},
    {-20, "Compression started!"},
    {-21, "Compression finished!"},
    {-22, "Not yet supported!"},
    {-23, "Output failure!"},
    {-24, "Invalid Huffman Table data!"},
    {-50, "MMR Failure during decoding!"},
};

const char* LineFormatOf(int32_t type)
{
    switch (type) {
    case cJB2_Message_Info:
        return "Info    : %s\n";
    case cJB2_Message_Warning:
        return "Warning : %s\n";
    case cJB2_Message_Error:
        return "Error   : %s\n";
    default:
        return "Message : %s\n";
    }
}

}  // namespace

const char* Jbig2StatusReporter::TextOf(JB2_Error status)
{
    for (const StatusText& entry : kStatusTexts)
        if (entry.status == status)
            return entry.text;
    return "Error";
}

void Jbig2StatusReporter::Check(JB2_Error status)
{
    if (status == 0)
        return;
    char text[128];
    std::snprintf(text, sizeof(text), "%s (%d)", TextOf(status), static_cast<int>(status));
    throw CTextException(status, text);
}

void* Jbig2StatusReporter::Allocate(uint32_t size, void*)
{
    return std::malloc(size);
}

JB2_Error Jbig2StatusReporter::Release(void* pointer, void*)
{
    if (!pointer)
        return cJB2_Error_Free_Failure;
    std::free(pointer);
    return 0;
}

// The data source throws where it cannot seek or read; an exception must
// not unwind through the codec, which would leave its blocks behind.
uint32_t Jbig2StatusReporter::Read(uint8_t* buffer, uint32_t offset, uint32_t count, void* user)
{
    auto* source = static_cast<CDataSource*>(user);
    try {
        if (!source || !source->Seek(offset, 0))
            return 0;
        return static_cast<uint32_t>(source->Read(buffer, count));
    } catch (...) {
        return 0;
    }
}

uint32_t Jbig2StatusReporter::Write(const uint8_t* buffer, uint32_t offset, uint32_t count, void* user)
{
    auto* target = static_cast<CDataSource*>(user);
    try {
        if (!target || !target->Seek(offset, 0) || !target->Write(buffer, count))
            return 0;
        return count;
    } catch (...) {
        return 0;
    }
}

void Jbig2StatusReporter::Message(const char* text, int32_t type, void* user)
{
    auto* lines = static_cast<Jbig2MessageList*>(user);
    if (!lines || !text)
        return;
    char line[256] = "";
    if (text[0] != 0)
        std::snprintf(line, sizeof(line), LineFormatOf(type), text);
    try {
        lines->emplace_back(line);
    } catch (...) {
        // A message that cannot be kept is dropped, as nothing shows them.
    }
}

}  // namespace ZAV

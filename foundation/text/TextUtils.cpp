#include "foundation/text/TextUtils.h"

#include "platform/CrtShims.h"

#include <ctime>

namespace ZAV {

namespace {

// Appends the UTF-8 form of a code point; false when it does not fit.
bool PutUtf8(char* buffer, int bufferSize, int& used, uint32_t point)
{
    unsigned char bytes[4];
    int n;
    if (point < 0x80) {
        bytes[0] = static_cast<unsigned char>(point);
        n = 1;
    } else if (point < 0x800) {
        bytes[0] = static_cast<unsigned char>(0xC0 | (point >> 6));
        bytes[1] = static_cast<unsigned char>(0x80 | (point & 0x3F));
        n = 2;
    } else if (point < 0x10000) {
        bytes[0] = static_cast<unsigned char>(0xE0 | (point >> 12));
        bytes[1] = static_cast<unsigned char>(0x80 | ((point >> 6) & 0x3F));
        bytes[2] = static_cast<unsigned char>(0x80 | (point & 0x3F));
        n = 3;
    } else {
        bytes[0] = static_cast<unsigned char>(0xF0 | (point >> 18));
        bytes[1] = static_cast<unsigned char>(0x80 | ((point >> 12) & 0x3F));
        bytes[2] = static_cast<unsigned char>(0x80 | ((point >> 6) & 0x3F));
        bytes[3] = static_cast<unsigned char>(0x80 | (point & 0x3F));
        n = 4;
    }
    if (used + n >= bufferSize)  // the terminating zero must still fit
        return false;
    for (int i = 0; i < n; ++i)
        buffer[used++] = static_cast<char>(bytes[i]);
    return true;
}

}  // namespace

char* WideToMultiByte(char* buffer, const WCHAR* wide, int bufferSize, UINT codePage)
{
    if (!buffer || !wide || bufferSize <= 0 || (codePage != CP_ACP && codePage != CP_UTF8))
        return nullptr;
    int used = 0;
    for (const WCHAR* p = wide; *p; ++p) {
        uint32_t point = *p;
        if (point >= 0xD800 && point <= 0xDBFF && p[1] >= 0xDC00 && p[1] <= 0xDFFF) {
            point = 0x10000 + ((point - 0xD800) << 10) + (static_cast<uint32_t>(p[1]) - 0xDC00);
            ++p;
        } else if (point >= 0xD800 && point <= 0xDFFF) {
            point = 0xFFFD;
        }
        if (!PutUtf8(buffer, bufferSize, used, point))
            return nullptr;
    }
    buffer[used] = 0;
    return buffer;
}

bool IsEqualNoCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && _stricmp(a.c_str(), b.c_str()) == 0;
}

String FormatCurrentTime(const char* format)
{
    char buffer[128] = "";
    std::time_t now = std::time(nullptr);
    std::tm local;
    if (format && localtime_r(&now, &local))
        std::strftime(buffer, sizeof buffer, format, &local);
    return String(buffer);
}

}  // namespace ZAV

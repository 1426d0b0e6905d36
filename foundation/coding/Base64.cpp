#include "foundation/coding/Base64.h"

namespace ZAV {

namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr size_t kGroupsPerLine = kBase64LineLength / 4;

// Value of a Base64 character, or -1 for any character outside the alphabet.
int DecodeChar(unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

}  // namespace

size_t Base64EncodeGetRequiredLength(size_t n, uint32_t flags)
{
    // Computed in 64 bits so that 4 n cannot wrap for any real buffer.
    uint64_t len = (4 * static_cast<uint64_t>(n)) / 3;
    if (!(flags & ZAV_BASE64_FLAG_NOPAD))
        len += n % 3;
    const uint64_t lines = len / kBase64LineLength;
    const uint64_t inLine = len % kBase64LineLength;
    if (inLine != 0 && inLine % 4 != 0)
        len += 4 - inLine % 4;
    if (!(flags & ZAV_BASE64_FLAG_NOCRLF))
        len += 2 * lines + 2;
    return static_cast<size_t>(len);
}

bool Base64Encode(const uint8_t* src, size_t n, char* dest, size_t* destLen, uint32_t flags)
{
    if (!src || !dest || !destLen)
        return false;
    if (*destLen < Base64EncodeGetRequiredLength(n, flags))
        return false;

    const bool lineBreaks = !(flags & ZAV_BASE64_FLAG_NOCRLF);
    const size_t groups = n / 3;
    const size_t lineCount = (4 * groups) / kBase64LineLength + 1;
    size_t written = 0;
    for (size_t line = 0; line < lineCount; ++line) {
        const size_t groupsHere =
            line + 1 < lineCount ? kGroupsPerLine : ((4 * groups) % kBase64LineLength) / 4;
        for (size_t g = 0; g < groupsHere; ++g) {
            const uint32_t bits = (uint32_t(src[0]) << 16) | (uint32_t(src[1]) << 8) | src[2];
            src += 3;
            dest[written++] = kAlphabet[(bits >> 18) & 0x3F];
            dest[written++] = kAlphabet[(bits >> 12) & 0x3F];
            dest[written++] = kAlphabet[(bits >> 6) & 0x3F];
            dest[written++] = kAlphabet[bits & 0x3F];
        }
        if (lineBreaks) {
            dest[written++] = '\r';
            dest[written++] = '\n';
        }
    }
    // The loop ends every line, the last one included; that last break goes.
    // When the full groups fill whole lines, the last line is empty and the
    // text ends with the break of the last full line.
    if (lineBreaks && written > 0)
        written -= 2;

    const size_t rest = n % 3;
    if (rest != 0) {
        uint32_t bits = uint32_t(src[0]) << 16;
        if (rest == 2)
            bits |= uint32_t(src[1]) << 8;
        dest[written++] = kAlphabet[(bits >> 18) & 0x3F];
        dest[written++] = kAlphabet[(bits >> 12) & 0x3F];
        if (rest == 2)
            dest[written++] = kAlphabet[(bits >> 6) & 0x3F];
        if (!(flags & ZAV_BASE64_FLAG_NOPAD)) {
            for (size_t k = rest + 1; k < 4; ++k)
                dest[written++] = '=';
        }
    }
    *destLen = written;
    return true;
}

bool Base64Decode(const char* text, size_t length, uint8_t* dest, size_t* destLen)
{
    if (!text || !destLen)
        return false;
    const size_t room = dest ? *destLen : 0;
    size_t count = 0;
    bool fits = true;
    auto put = [&](uint8_t b) {
        if (count < room)
            dest[count] = b;
        else
            fits = false;
        ++count;
    };

    uint32_t bits = 0;
    int taken = 0;
    for (size_t i = 0; i < length; ++i) {
        const int v = DecodeChar(static_cast<unsigned char>(text[i]));
        if (v < 0)
            continue;
        bits = (bits << 6) | uint32_t(v);
        if (++taken == 4) {
            put(uint8_t(bits >> 16));
            put(uint8_t(bits >> 8));
            put(uint8_t(bits));
            bits = 0;
            taken = 0;
        }
    }
    // A short last group gives its whole bytes only: 2 characters one byte,
    // 3 characters two bytes, a lone character none.
    if (taken == 2) {
        put(uint8_t(bits >> 4));
    } else if (taken == 3) {
        put(uint8_t(bits >> 10));
        put(uint8_t(bits >> 2));
    }
    *destLen = count;
    return fits;
}

}  // namespace ZAV

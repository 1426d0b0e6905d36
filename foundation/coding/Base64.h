// Base64 coding with the standard alphabet, CR LF line breaks after every
// 76 characters and two option bits.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ZAV {

// Option bits of the Base64 coder.
constexpr uint32_t ZAV_BASE64_FLAG_NOPAD = 1;   // the last group is not filled with "="
constexpr uint32_t ZAV_BASE64_FLAG_NOCRLF = 2;  // no line breaks

// Characters per encoded line.
constexpr size_t kBase64LineLength = 76;

// Room that Base64Encode needs for n input bytes; an upper bound of the
// length it writes (no terminating zero is counted).
size_t Base64EncodeGetRequiredLength(size_t n, uint32_t flags);

// Encodes n bytes into dest. On entry *destLen is the room in dest, on return
// the number of characters written. Fails (writes nothing) when a pointer is
// null or the room is below Base64EncodeGetRequiredLength.
bool Base64Encode(const uint8_t* src, size_t n, char* dest, size_t* destLen, uint32_t flags);

// Decodes a Base64 text; every character outside the alphabet (pad
// characters, line ends, blanks, anything else) is skipped. On entry *destLen
// is the room in dest, on return the count of all decoded bytes; bytes beyond
// the room are counted but not written and the call then returns false.
bool Base64Decode(const char* text, size_t length, uint8_t* dest, size_t* destLen);

}  // namespace ZAV

// The names under which the format decoders report file facts in an image's
// information list, indexed 0-30.
#pragma once

namespace ZAV {

constexpr int kImageInfoKeyCount = 31;

extern const char* const g_imageInfoKeys[kImageInfoKeyCount];

// The key of an index; null outside 0-30.
const char* GetImageInfoKey(int index);

}  // namespace ZAV

// Reading a metafile file whole, bounded by the layer's ceiling.
#pragma once

#include <cstdint>
#include <vector>

namespace ZAV {
namespace Meta {

// False when the file cannot be read or is larger than any metafile.
bool ReadMetafileFile(const char* fileName, std::vector<uint8_t>& bytes);

}  // namespace Meta
}  // namespace ZAV

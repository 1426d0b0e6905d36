// Decoders of formats whose parts point anywhere in the file (BMP offsets,
// JBIG-KIT's whole-entity calls) take the source's bytes as one block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ZAV {

class IDataSource;

// Everything from the source's position to its end, at most limit bytes
// (the rest is left unread).
std::vector<uint8_t> ReadSourceBytes(IDataSource& source, size_t limit);

}  // namespace ZAV

// The enhanced metafile of a source, got in one of three ways: the file
// itself when it is an enhanced metafile; an old-style metafile file
// converted; or the source's bytes, placeable or plain old-style data,
// converted from memory.
#pragma once

#include "formats/emf/WmfFileHeader.h"
#include "platform/gdi/metafile/MetafileTypes.h"

#include <cstdint>
#include <vector>

namespace ZAV {

class IDataSource;

// head holds the bytes already read from the source's start; the rest is
// read when the memory path needs it. Throws the codec's texts.
HENHMETAFILE LoadEnhancedMetafile(IDataSource& source, std::vector<uint8_t>& head, const WmfFileHeader& header);

// Plays the metafile onto a white-or-chosen background at its frame's size
// in pixels and makes the image a 24-bit picture of it.
class CZAVImg;
void RenderEnhancedMetafile(HENHMETAFILE metafile, CZAVImg& image);

}  // namespace ZAV

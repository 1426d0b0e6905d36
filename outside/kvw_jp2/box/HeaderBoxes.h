// Readers of the boxes inside the JP2 header superbox and of the other small
// boxes (T.800 I.5, I.7), each from its contents in memory.
#pragma once

#include "outside/kvw_jp2/box/BoxFields.h"
#include "outside/kvw_jp2/box/JP2FileModel.h"

namespace KVWJP2 {

struct BoxView {
    uint32_t type = 0;
    const uint8_t* data = nullptr;
    size_t size = 0;
};

// Calls visit(box) for each box of a superbox's contents; false on a damaged box list.
template <typename Visit>
bool ForEachBox(const uint8_t* data, size_t size, Visit visit);

bool ReadImageHeader(const BoxView& box, ImageHeader& header);
bool ReadBitsPerComponent(const BoxView& box, std::vector<uint8_t>& bpcc);
bool ReadColourBox(const BoxView& box, ColourBox& colour);
bool ReadPalette(const BoxView& box, PaletteModel& palette);
bool ReadChannelDefs(const BoxView& box, std::vector<JP2_Channel_Def>& defs);
bool ReadComponentMap(const BoxView& box, JP2FileModel& model);
bool ReadResolution(const BoxView& box, Resolution& resolution);
bool ReadUuidInfo(const BoxView& box, UuidInfo& info);
bool ReadUuid(const BoxView& box, JP2FileModel& model);
bool ReadFileType(const BoxView& box, bool& jp2Compatible);

}  // namespace KVWJP2

#include "outside/kvw_jp2/box/ForEachBox.inl"

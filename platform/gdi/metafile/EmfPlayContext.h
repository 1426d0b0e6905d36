// The state of one PlayEnhMetaFile: where the frame lands on the target DC,
// the metafile DC's mapping and clip, and its saved states. Internal to the
// player's files.
#pragma once

#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/metafile/EmfRecords.h"
#include "platform/gdi/metafile/MetaMapping.h"

#include <vector>

namespace ZAV {
namespace Meta {

enum class PlayResult { Played, Unsupported, Broken };

// A rectangle in reference-device pixels, right and bottom exclusive.
struct DeviceBox {
    double left;
    double top;
    double right;
    double bottom;
};

struct PlayState {
    MetaMapping mapping;
    bool hasClip = false;
    DeviceBox clip{};
};

struct PlayContext {
    HDC dc = nullptr;
    Gdi::DC* target = nullptr;
    ENHMETAHEADER header{};
    // Reference-device pixel p lands at origin + (p - frameOrigin) * scale.
    double frameLeft = 0, frameTop = 0, scaleX = 1, scaleY = 1;
    double originX = 0, originY = 0;
    PlayState state;
    std::vector<PlayState> saved;
    bool targetHadClip = false;
    RECT targetClip{};
};

PlayResult PlayStateRecord(PlayContext& context, const EmfRecord& record);
PlayResult PlayBitmapRecord(PlayContext& context, const EmfRecord& record);
bool IsBitmapRecord(uint32_t type);

}  // namespace Meta
}  // namespace ZAV

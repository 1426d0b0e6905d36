// The state of one PlayEnhMetaFile: where the frame lands on the target DC,
// the metafile DC's mapping and clip, and its saved states. Internal to the
// player's files.
#pragma once

#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/metafile/EmfRecords.h"
#include "platform/gdi/metafile/MetaMapping.h"

#include <memory>
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

// What the drawing records draw with; SaveDC keeps it with the mapping.
struct DrawState {
    HGDIOBJ pen = nullptr;
    HGDIOBJ brush = nullptr;
    HGDIOBJ font = nullptr;
    COLORREF textColour = 0;
    COLORREF bkColour = 0xFFFFFF;
    int bkMode = OPAQUE;
    int polyFillMode = ALTERNATE;
    UINT textAlign = 0;
    double world[6] = {1, 0, 0, 1, 0, 0};  // eM11, eM12, eM21, eM22, eDx, eDy
    std::shared_ptr<cairo_path> clipPath;
    int clipPathFillMode = ALTERNATE;
};

struct PlayState {
    MetaMapping mapping;
    bool hasClip = false;
    DeviceBox clip{};
    DrawState draw;
};

// The target DC's own drawing attributes, put back when the play ends.
struct TargetAttributes {
    HGDIOBJ pen = nullptr, brush = nullptr, font = nullptr;
    COLORREF textColour = 0, background = 0;
    int bkMode = OPAQUE, polyFillMode = ALTERNATE;
    UINT textAlign = 0;
    POINT current{0, 0};
    double world[6] = {1, 0, 0, 1, 0, 0};
    std::shared_ptr<cairo_path> clipPath;
    int clipPathFillMode = ALTERNATE;
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
    TargetAttributes targetAttributes;
    // The metafile's object table (index 0 is the metafile itself), and
    // every object made, deleted when the play ends: an object deleted while
    // selected keeps drawing until another is selected.
    std::vector<HGDIOBJ> objects;
    std::vector<HGDIOBJ> made;
};

PlayResult PlayStateRecord(PlayContext& context, const EmfRecord& record);
PlayResult PlayBitmapRecord(PlayContext& context, const EmfRecord& record);
bool IsBitmapRecord(uint32_t type);
// Pens, brushes and fonts: made, selected and deleted.
PlayResult PlayObjectRecord(PlayContext& context, const EmfRecord& record);
bool IsObjectRecord(uint32_t type);
// Lines, curves, shapes, paths, regions and text, and the attributes and
// transforms they draw with.
PlayResult PlayDrawingRecord(PlayContext& context, const EmfRecord& record);
bool IsDrawingRecord(uint32_t type);

// A reference-device box on the target, in the target's logical units;
// false when it lies out of range.
bool ToTarget(const PlayContext& context, const DeviceBox& box, RECT& out);
// The metafile's clip rectangle on the target, within the target's own
// clip; false when it lies out of range.
bool ApplyClip(PlayContext& context);
// Puts the target's clip back.
void RestoreTargetClip(PlayContext& context);
// Takes the target's drawing attributes at the start of the play, and puts
// them back at its end (deleting every object the play made).
void KeepTargetAttributes(PlayContext& context);
void RestoreTargetAttributes(PlayContext& context);

}  // namespace Meta
}  // namespace ZAV

// What the metafile fuzz targets do with one input, shared with the test
// that replays the kept inputs: the metafile layer's memory entries. An
// enhanced metafile is read and played onto a small device; old-style data
// is converted as the codec converts it and, when that succeeds, played.
// A refusal is a failed call; anything else (a crash, undefined behaviour,
// a leak) fails.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/gdi/DeviceContexts.h"
#include "platform/gdi/Metafiles.h"
#include "platform/gdi/metafile/play/EmfPlayer.h"
#include "platform/gdi/metafile/wmf/WmfFiles.h"

namespace ZAVFuzz {

constexpr int kPlaySide = 64;

inline void PlayOnSmallDevice(HENHMETAFILE metafile)
{
    ENHMETAHEADER header{};
    if (GetEnhMetaFileHeader(metafile, sizeof header, &header) == 0)
        return;
    ZAV::TestDeviceSettings settings;
    settings.width = settings.height = kPlaySide;
    HDC dc = ZAV::CreateTestDC(settings);
    const RECT whole{0, 0, kPlaySide, kPlaySide};
    PlayEnhMetaFile(dc, metafile, &whole);
    DeleteDC(dc);
}

inline void PlayEnhancedMetafile(const uint8_t* data, size_t size)
{
    if (size == 0 || size > UINT32_MAX)
        return;
    HENHMETAFILE metafile = SetEnhMetaFileBits(static_cast<UINT>(size), data);
    PlayOnSmallDevice(metafile);
    DeleteEnhMetaFile(metafile);
}

inline void ConvertWindowsMetafile(const uint8_t* data, size_t size)
{
    if (size > UINT32_MAX)
        return;
    const METAFILEPICT picture{MM_ANISOTROPIC, 1000, 1000, nullptr};
    HENHMETAFILE metafile = SetWinMetaFileBits(static_cast<UINT>(size), data, nullptr, &picture);
    if (!metafile)
        return;
    PlayOnSmallDevice(metafile);
    DeleteEnhMetaFile(metafile);
}

}  // namespace ZAVFuzz

#include "formats/emf/MetafileLoad.h"

#include "formats/FormatLimits.h"
#include "formats/codec/CodecDataSource.h"
#include "formats/emf/MetafileHandleHolder.h"
#include "foundation/datasource/DataSource.h"
#include "foundation/text/TextException.h"
#include "platform/gdi/DeviceContexts.h"
#include "platform/gdi/metafile/play/EmfPlayer.h"

#include <new>

namespace ZAV {

namespace {

constexpr LONG kUnknownExtent = 400;
constexpr LONG kFileExtent = 1000;
constexpr LONG kHundredthsPerInch = 2540;

const char* FileNameOf(IDataSource& source)
{
    auto* data = dynamic_cast<CDataSource*>(&source);
    const char* name = data ? data->GetFileName() : nullptr;
    return name && *name ? name : nullptr;
}

// Converted with the screen as the reference device.
HENHMETAFILE Convert(const std::vector<uint8_t>& bits, size_t offset, const METAFILEPICT& picture)
{
    HDC screen = GetDC(nullptr);
    HENHMETAFILE metafile =
        SetWinMetaFileBits(static_cast<UINT>(bits.size() - offset), bits.data() + offset, screen, &picture);
    ReleaseDC(nullptr, screen);
    return metafile;
}

std::vector<uint8_t> AllocateOrThrow(size_t size)
{
    try {
        return std::vector<uint8_t>(size);
    } catch (const std::bad_alloc&) {
        ThrowTextException("Out of memory error!");
    }
}

// Step 2: an old-style metafile file, its bits converted at 10 mm square.
HENHMETAFILE FromWmfFile(HMETAFILE handle)
{
    CMetaFileHolder wmf(handle);
    const UINT size = GetMetaFileBitsEx(wmf.Get(), 0, nullptr);
    if (size == 0)
        ThrowTextException("Inalid WMF file!");
    std::vector<uint8_t> bits = AllocateOrThrow(size);
    if (GetMetaFileBitsEx(wmf.Get(), size, bits.data()) != size)
        ThrowTextException("Invalid WMF file!");
    const METAFILEPICT picture{MM_ANISOTROPIC, kFileExtent, kFileExtent, nullptr};
    HENHMETAFILE metafile = Convert(bits, 0, picture);
    if (!metafile)
        ThrowTextException("Inalid WMF file!");
    return metafile;
}

// Step 3: the source's own bytes, after the placeable header when there is one.
HENHMETAFILE FromMemory(IDataSource& source, std::vector<uint8_t>& bytes, const WmfFileHeader& header)
{
    try {
        AppendSourceBytes(source, kMaxCodecSourceBytes, bytes);
    } catch (const std::bad_alloc&) {
        ThrowTextException("Out of memory error!");
    }
    if (bytes.empty())
        ThrowTextException("Inalid WMF file!");
    METAFILEPICT picture{MM_ANISOTROPIC, header.width ? header.width : kUnknownExtent,
                         header.height ? header.height : kUnknownExtent, nullptr};
    if (header.placeable && header.unitsPerInch) {
        picture.xExt = (header.right - header.left) * kHundredthsPerInch / header.unitsPerInch;
        picture.yExt = (header.bottom - header.top) * kHundredthsPerInch / header.unitsPerInch;
    }
    HENHMETAFILE metafile = Convert(bytes, header.placeable ? kPlaceableHeaderBytes : 0, picture);
    if (!metafile)
        ThrowLastError("Can't set WMF bits!");
    return metafile;
}

}  // namespace

HENHMETAFILE LoadEnhancedMetafile(IDataSource& source, std::vector<uint8_t>& head, const WmfFileHeader& header)
{
    if (const char* name = FileNameOf(source)) {
        if (HENHMETAFILE metafile = GetEnhMetaFileA(name))
            return metafile;
        if (HMETAFILE wmf = GetMetaFileA(name))
            return FromWmfFile(wmf);
    }
    return FromMemory(source, head, header);
}

}  // namespace ZAV

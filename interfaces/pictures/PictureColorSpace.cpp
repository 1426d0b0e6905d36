// Depth and palette from the colour space (ISO 32000-1, 8.6). Grey is 1 or
// 8 bits as /BitsPerComponent says, RGB and CMYK need 8 bits, an ICC-based
// space counts as the device space of its /N components, and /Indexed takes
// the lookup table of any of those as its palette. /Separation and /DeviceN
// samples are tints, not colours of their alternate space, so they are
// refused rather than shown wrong.
#include "interfaces/pictures/PictureColorSpace.h"

#include <algorithm>
#include <string>

#include "foundation/text/String.h"
#include "foundation/text/TextException.h"
#include "interfaces/pictures/PictureCmyk.h"
#include "interfaces/pictures/PictureInflate.h"
#include "interfaces/pictures/PictureLimits.h"
#include "interfaces/pictures/PictureEntries.h"
#include "pdf/objects/PDFArray.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/objects/PDFFactories.h"
#include "pdf/objects/PDFName.h"
#include "pdf/objects/PDFNumber.h"
#include "pdf/objects/PDFString.h"
#include "platform/CrtShims.h"

namespace ZAV {

using namespace ZAVPDF;

namespace {

enum class DeviceSpace { None, Gray, Rgb, Cmyk };

bool IsName(const CPDFObjectPtr& object, const char* name)
{
    return object && object->GetType() == ptName &&
           _stricmp(static_cast<const CPDFName*>(object.get())->GetName().c_str(), name) == 0;
}

[[noreturn]] void ThrowUnsupported(const CPDFObjectPtr& space)
{
    String text;
    text.Format("Unsupported colorspace %s", space->ToPDFString().c_str());
    ThrowTextException(text.GetText());
}

[[noreturn]] void ThrowBitsPerComponent(int bitsPerComponent)
{
    String text;
    text.Format("Invalid image BitsPerComponent value! (%d)", bitsPerComponent);
    ThrowTextException(text.GetText());
}

DeviceSpace NamedSpace(const CPDFObjectPtr& name)
{
    if (IsName(name, "/DeviceGray"))
        return DeviceSpace::Gray;
    if (IsName(name, "/DeviceRGB"))
        return DeviceSpace::Rgb;
    if (IsName(name, "/DeviceCMYK"))
        return DeviceSpace::Cmyk;
    return DeviceSpace::None;
}

// [/ICCBased stream]: the stream's /N components name the device space.
DeviceSpace IccSpace(const CPDFArray& array)
{
    if (array.GetCount() < 2)
        return DeviceSpace::None;
    const CPDFDictionary* stream = GetPDFDictionary(ResolvePDFReference(array.Get(1)), false);
    const CPDFObjectPtr count = stream ? DirectValue(OptionalEntry(*stream, "/N")) : CPDFObjectPtr();
    if (!count || count->GetType() != ptInteger)
        return DeviceSpace::None;
    switch (static_cast<const CPDFNumber*>(count.get())->GetInteger()) {
    case 1:
        return DeviceSpace::Gray;
    case 3:
        return DeviceSpace::Rgb;
    case 4:
        return DeviceSpace::Cmyk;
    default:
        return DeviceSpace::None;
    }
}

// A base space: a device name, or an ICC-based array.
DeviceSpace BaseSpace(const CPDFObjectPtr& space)
{
    const CPDFObjectPtr value = DirectValue(space);
    if (value && value->GetType() == ptArray) {
        const CPDFArray* array = static_cast<const CPDFArray*>(value.get());
        if (array->GetCount() > 0 && IsName(DirectValue(array->Get(0)), "/ICCBased"))
            return IccSpace(*array);
        return DeviceSpace::None;
    }
    return NamedSpace(value);
}

bool ArrayHolds(const CPDFArray& array, const char* name)
{
    for (const CPDFObjectPtr& element : array.GetElements())
        if (IsName(element, name))
            return true;
    return false;
}

CPictureColor DeviceColor(DeviceSpace space, int bitsPerComponent)
{
    CPictureColor color;
    if (space == DeviceSpace::Gray) {
        color.depth = bitsPerComponent == 8 ? zavbpp8 : zavbpp1;
        color.grayRamp = bitsPerComponent == 8;
        return color;
    }
    if (bitsPerComponent != 8)
        ThrowBitsPerComponent(bitsPerComponent);
    color.depth = zavbpp24;
    color.cmyk = space == DeviceSpace::Cmyk;
    return color;
}

CPictureColor IndexedColor(const CPDFArray& array, const CPDFObjectPtr& space, int bitsPerComponent)
{
    if (array.GetCount() != 4)
        ThrowTextException("Unexpected colorspace arraysize!");
    const DeviceSpace base = BaseSpace(array.Get(1));
    if (base == DeviceSpace::None)
        ThrowUnsupported(space);
    CPictureColor color;
    color.depth = bitsPerComponent == 1 ? zavbpp1 : zavbpp8;
    ReadPaletteData(array.Get(3), base == DeviceSpace::Gray, color.palette);
    if (base == DeviceSpace::Cmyk)
        color.palette = CmykToRgb(color.palette.GetData(), static_cast<size_t>(color.palette.GetSize()));
    return color;
}

CPictureColor ArrayColor(const CPDFArray& array, const CPDFObjectPtr& space, int bitsPerComponent)
{
    const CPDFObjectPtr family = array.GetCount() > 0 ? DirectValue(array.Get(0)) : CPDFObjectPtr();
    if (IsName(family, "/Indexed"))
        return IndexedColor(array, space, bitsPerComponent);
    if (IsName(family, "/ICCBased")) {
        const DeviceSpace base = IccSpace(array);
        if (base == DeviceSpace::None)
            ThrowUnsupported(space);
        return DeviceColor(base, bitsPerComponent);
    }
    if (IsName(family, "/Separation") || IsName(family, "/DeviceN"))
        ThrowUnsupported(space);
    // Other arrays count as the first device space they name.
    const struct {
        const char* name;
        DeviceSpace space;
    } kNamed[] = {
        {"/DeviceRGB", DeviceSpace::Rgb}, {"/DeviceCMYK", DeviceSpace::Cmyk}, {"/DeviceGray", DeviceSpace::Gray}};
    for (const auto& named : kNamed)
        if (ArrayHolds(array, named.name))
            return DeviceColor(named.space, bitsPerComponent);
    ThrowUnsupported(space);
}

}  // namespace

CPictureColor ReadPictureColor(const CPDFDictionary& dictionary, int bitsPerComponent)
{
    const CPDFObjectPtr space = DirectValue(OptionalEntry(dictionary, "/ColorSpace"));
    if (!space) {
        CPictureColor color;
        color.depth = bitsPerComponent == 1 ? zavbpp1 : zavbpp24;
        return color;
    }
    if (space->GetType() == ptName) {
        const DeviceSpace named = NamedSpace(space);
        if (named == DeviceSpace::None)
            ThrowUnsupported(space);
        return DeviceColor(named, bitsPerComponent);
    }
    if (space->GetType() == ptArray)
        return ArrayColor(*static_cast<const CPDFArray*>(space.get()), space, bitsPerComponent);
    ThrowTextException("Colorspace entry should be Name or Array!");
}

void ReadPaletteData(const CPDFObjectPtr& lookup, bool expandGray, CPDFByteArray& palette)
{
    palette.RemoveAll();
    const CPDFObjectPtr value = ResolvePDFReference(lookup);
    if (!value)
        return;
    CPDFByteArray bytes;
    const CPDFObjectPtr inner =
        value->GetType() == ptObject ? static_cast<const CPDFObject*>(value.get())->GetInnerObject() : value;
    if (inner && inner->GetType() == ptString) {
        const std::string text = static_cast<const CPDFString*>(inner.get())->GetText();
        bytes.SetData(reinterpret_cast<const unsigned char*>(text.data()), static_cast<int32_t>(text.size()));
    } else if (value->GetType() == ptObject && static_cast<const CPDFObject*>(value.get())->HasStream()) {
        const CPDFObject* stream = static_cast<const CPDFObject*>(value.get());
        const CPDFDictionary* entries = GetPDFDictionary(value, false);
        const CPDFByteArray& stored = stream->GetStreamData();
        // A lookup stream may be Flate-coded like any stream; its coded
        // bytes are no colours.
        if (entries && entries->EntryTextEquals("/Filter", "/FlateDecode"))
            bytes = InflateAtMost(stored.GetData(), static_cast<size_t>(stored.GetSize()), kMaxPaletteLookupBytes);
        else
            bytes = stored;
    } else {
        ThrowTextException("Unsupported colorspace palette type!");
    }
    // No palette holds more than 256 entries of at most four bytes.
    const int32_t count = std::min<int32_t>(bytes.GetSize(), static_cast<int32_t>(kMaxPaletteLookupBytes));
    if (!expandGray) {
        palette.SetData(bytes.GetData(), count);
        return;
    }
    palette.SetSize(count * 3);
    for (int32_t i = 0; i < count; ++i)
        for (int32_t c = 0; c < 3; ++c)
            palette.GetData()[i * 3 + c] = bytes.GetData()[i];
}

}  // namespace ZAV

#include "formats/filter/FilterSteps.h"

#include "foundation/containers/NameVariantPairs.h"
#include "foundation/text/TextException.h"
#include "platform/GlobalMem.h"

#include <cstring>

namespace ZAV {

namespace {

const char kInvalidParameter[] = "Invalid Parameter!";

IProgressNotification* g_notification = nullptr;

bool IsMissing(const FilterTarget& target)
{
    if (target.path)
        return target.path[0] == 0;
    return target.data == nullptr || target.size == 0;
}

void OpenForReading(CDataSource& source, const FilterTarget& from)
{
    const bool opened = from.path ? source.OpenFile(from.path) : source.OpenMemory(from.data, from.size);
    if (!opened)
        ThrowTextException(source.GetErrorText());
}

void OpenForWriting(CDataSource& target, const FilterTarget& to)
{
    const bool opened = to.path ? target.OpenFileForWriting(to.path, false)
                                : target.OpenMemoryForWriting(const_cast<void*>(to.data), to.size);
    if (!opened)
        ThrowTextException(target.GetErrorText());
}

// A library failure keeps its own text; any other failure the fallback,
// unless a text is already there.
int CatchAll(char* error, const char* fallback, const std::function<int()>& body)
{
    try {
        return body();
    } catch (const CTextException& e) {
        CopyFilterText(error, e.GetText());
    } catch (...) {
        if (error[0] == 0)
            CopyFilterText(error, fallback);
    }
    return 0;
}

void HandOver(FilterLoadedPicture& picture, const FilterLoadOutputs& outputs)
{
    *outputs.pixels = picture.pixels;
    *outputs.pixelBytes = picture.pixelBytes;
    *outputs.palette = picture.palette;
    *outputs.paletteBytes = picture.paletteBytes;
    *outputs.info = picture.info;
    picture.pixels = nullptr;
    picture.palette = nullptr;
}

bool HasAllOutputs(const FilterLoadOutputs& outputs)
{
    return outputs.pixels && outputs.pixelBytes && outputs.isDib && outputs.palette && outputs.paletteBytes &&
           outputs.info;
}

// The refusals that need no block locked; null when the save may go on.
const char* RefusalOf(const FilterTarget& to, const FilterSaveInputs& inputs, const FilterShellTexts& texts)
{
    if (inputs.isDib != 0)
        return texts.dibRefused;
    if (!inputs.info)
        return kInvalidParameter;
    if (!texts.acceptsDepth(inputs.info->bitsPerPixel))
        return texts.depthRefused;
    if (IsMissing(to) || !inputs.pixels)
        return kInvalidParameter;
    return nullptr;
}

// Holds the host's blocks locked for one save and unlocks them on every path.
class LockedSaveBlocks {
public:
    explicit LockedSaveBlocks(const FilterSaveInputs& inputs) : m_inputs(inputs) {}
    ~LockedSaveBlocks()
    {
        if (m_palette)
            GlobalUnlock(m_inputs.palette);
        if (m_pixels)
            GlobalUnlock(m_inputs.pixels);
    }
    LockedSaveBlocks(const LockedSaveBlocks&) = delete;
    LockedSaveBlocks& operator=(const LockedSaveBlocks&) = delete;

    // Null when both locked, else the text of the block that failed. A byte
    // count beyond its block would make the encoder read past it.
    const char* Lock()
    {
        if (m_inputs.pixelBytes > GlobalSize(m_inputs.pixels) || !(m_pixels = GlobalLock(m_inputs.pixels)))
            return "Invalid memory block!";
        if (!m_inputs.palette)
            return nullptr;
        if (m_inputs.paletteBytes > GlobalSize(m_inputs.palette) || !(m_palette = GlobalLock(m_inputs.palette))) {
            GlobalUnlock(m_inputs.pixels);
            m_pixels = nullptr;
            return "Invalid palette memory block!";
        }
        return nullptr;
    }

    FilterSavePixels Pixels() const
    {
        return FilterSavePixels{static_cast<const uint8_t*>(m_pixels), m_inputs.pixelBytes,
                                static_cast<const uint8_t*>(m_palette), m_palette ? m_inputs.paletteBytes : 0,
                                *m_inputs.info};
    }

private:
    FilterSaveInputs m_inputs;
    void* m_pixels = nullptr;
    void* m_palette = nullptr;
};

}  // namespace

FilterLoadedPicture::~FilterLoadedPicture()
{
    GlobalFree(pixels);
    GlobalFree(palette);
}

void CopyFilterText(char* buffer, const char* text)
{
    std::strncpy(buffer, text ? text : "", kFilterTextBufferSize - 1);
    buffer[kFilterTextBufferSize - 1] = 0;
}

void SetFilterNotification(IProgressNotification* notification)
{
    g_notification = notification;
}

IProgressNotification* GetFilterNotification()
{
    return g_notification;
}

CNameVariantPairs& GetFilterImageProperties()
{
    static CNameVariantPairs properties;
    return properties;
}

int RunFilterInfo(const FilterTarget& from, FilterImageInfo* info, char* error, const FilterShellTexts& texts,
                  const FilterInfoReader& reader)
{
    try {
        CDataSource source(g_notification);
        OpenForReading(source, from);
        reader(source, info);
        return 1;
    } catch (...) {
        CopyFilterText(error, texts.openFailed);
    }
    return 0;
}

int RunFilterLoad(const FilterTarget& from, const FilterLoadOutputs& outputs, char* error,
                  const FilterShellTexts& texts, const FilterDecoder& decoder)
{
    error[0] = 0;
    if (IsMissing(from) || !HasAllOutputs(outputs)) {
        CopyFilterText(error, kInvalidParameter);
        return 0;
    }
    *outputs.isDib = 0;
    return CatchAll(error, texts.openFailed, [&] {
        FilterLoadedPicture picture;
        CDataSource source(g_notification);
        OpenForReading(source, from);
        decoder(source, picture);
        HandOver(picture, outputs);
        return 1;
    });
}

int RunFilterSave(const FilterTarget& to, const FilterSaveInputs& inputs, uint32_t* bytesWritten, char* error,
                  const FilterShellTexts& texts, const FilterEncoder& encoder)
{
    error[0] = 0;
    if (bytesWritten)
        *bytesWritten = 0;
    const char* refusal = bytesWritten ? RefusalOf(to, inputs, texts) : kInvalidParameter;
    LockedSaveBlocks blocks(inputs);
    if (!refusal)
        refusal = blocks.Lock();
    if (refusal) {
        CopyFilterText(error, refusal);
        return 0;
    }
    return CatchAll(error, texts.writeFailed, [&] {
        CDataSource target(g_notification);
        OpenForWriting(target, to);
        encoder(target, blocks.Pixels());
        *bytesWritten = static_cast<uint32_t>(target.GetLength());
        return 1;
    });
}

int RunFilterSetting(const std::function<void()>& apply)
{
    try {
        apply();
        return 1;
    } catch (...) {
        return 0;
    }
}

}  // namespace ZAV

// CZAVImg::CompositePsdLayers: the decoded layer frames of a Photoshop
// document laid over the image bottom first, each through the blend mode of
// its key, weighed by its opacity, fill opacity, transparency and user mask.
// What each frame is comes from the layer facts the PSD decoder reports.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "foundation/containers/NameVariantPairs.h"
#include "foundation/text/TextException.h"
#include "image/core/GlobalMemBlock.h"
#include "image/object/ZAVImg.h"
#include "image/operations/ImageOperation.h"

namespace ZAV {

namespace {

constexpr char kTextNoLayerFacts[] = "The image holds no facts of PSD layer %d!";
constexpr char kTextFrameMismatch[] = "The image of PSD layer %d does not have the layer's size!";
constexpr int kHiddenFlag = 2;        // layer record flags: bit 1 set hides the layer
constexpr int kMaskDisabledFlag = 2;  // user mask flags: bit 1 set switches the mask off
constexpr int kOpaque = 255;
// Frames in colours become 24 bits as every colour conversion of the image
// does (method 2, palette flag 1).
constexpr int kTrueColourMethod = 2;
constexpr int kTrueColourPalette = 1;

[[noreturn]] void ThrowForLayer(const char* format, int index)
{
    char text[128];
    std::snprintf(text, sizeof(text), format, index);
    ThrowTextException(text);
}

// a x b / 255 for bytes, rounded.
BYTE Weigh(int a, int b)
{
    return static_cast<BYTE>((a * b + 127) / 255);
}

// One layer as its facts describe it.
struct CPsdLayerFacts {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::string blendKey;
    int opacity = kOpaque;
    bool visible = true;
    int maskLeft = 0;
    int maskTop = 0;
    int maskWidth = 0;
    int maskHeight = 0;
    int maskColour = kOpaque;  // the user mask outside its rectangle
    bool maskEnabled = true;
};

class CLayerFactReader {
public:
    CLayerFactReader(const CZAVImg& frame, int index)
        : m_facts(frame.GetImageInfoList()), m_prefix("Layer" + std::to_string(index))
    {
        if (!m_facts || !m_facts->HasKey(m_prefix + "PageX") || !m_facts->HasKey(m_prefix + "Blendkey"))
            ThrowForLayer(kTextNoLayerFacts, index);
    }

    int Int(const char* name, int fallback) const
    {
        const std::string key = m_prefix + name;
        return m_facts->HasKey(key) ? m_facts->GetValue(key).GetAsInt() : fallback;
    }

    std::string Text(const char* name) const { return m_facts->GetValue(m_prefix + name).GetAsText(); }

private:
    const CNameVariantPairs* m_facts;
    std::string m_prefix;
};

CPsdLayerFacts ReadLayerFacts(const CZAVImg& frame, int index)
{
    const CLayerFactReader reader(frame, index);
    CPsdLayerFacts facts;
    facts.left = reader.Int("PageX", 0);
    facts.top = reader.Int("PageY", 0);
    facts.width = reader.Int("PageWidth", 0);
    facts.height = reader.Int("PageHeight", 0);
    facts.blendKey = reader.Text("Blendkey");
    // The decoder reports 255 minus the record's opacity byte.
    const int opacity = kOpaque - reader.Int("Opacity", 0);
    const int fill = reader.Int("iOpa", kOpaque);
    facts.opacity = Weigh(opacity < 0         ? 0
                          : opacity > kOpaque ? kOpaque
                                              : opacity,
                          fill < 0         ? 0
                          : fill > kOpaque ? kOpaque
                                           : fill);
    facts.visible = (reader.Int("Flags", 0) & kHiddenFlag) == 0;
    facts.maskLeft = reader.Int("MaskX", 0);
    facts.maskTop = reader.Int("MaskY", 0);
    facts.maskWidth = reader.Int("MaskWidth", 0);
    facts.maskHeight = reader.Int("MaskHeight", 0);
    const int colour = reader.Int("MaskColor", kOpaque);
    facts.maskColour = colour < 0 ? 0 : colour > kOpaque ? kOpaque : colour;
    facts.maskEnabled = (reader.Int("MaskFlags", 0) & kMaskDisabledFlag) == 0;
    return facts;
}

// One weight per layer pixel: its transparency, its user mask (inside the
// mask rectangle the mask's value, outside the mask's colour there), and
// the opacity.
std::vector<BYTE> LayerWeights(const CZAVImg& frame, const CPsdLayerFacts& facts)
{
    const size_t count = static_cast<size_t>(facts.width) * static_cast<size_t>(facts.height);
    std::vector<BYTE> weights(count, kOpaque);
    const auto* transparency = static_cast<const BYTE*>(frame.GetMask());
    if (transparency && static_cast<size_t>(frame.GetMaskSize()) >= count)
        weights.assign(transparency, transparency + count);
    const auto* user = static_cast<const BYTE*>(frame.GetMask2());
    const bool hasUser = user && facts.maskEnabled && facts.maskWidth > 0 && facts.maskHeight > 0 &&
                         frame.GetMask2Width() == facts.maskWidth && frame.GetMask2Height() == facts.maskHeight &&
                         static_cast<int64_t>(frame.GetMask2Size()) >= int64_t{facts.maskWidth} * facts.maskHeight;
    for (int y = 0; y < facts.height; ++y)
        for (int x = 0; x < facts.width; ++x) {
            BYTE& weight = weights[static_cast<size_t>(y) * facts.width + x];
            const int64_t mx = int64_t{facts.left} + x - facts.maskLeft;
            const int64_t my = int64_t{facts.top} + y - facts.maskTop;
            if (hasUser) {
                const bool inside = mx >= 0 && my >= 0 && mx < facts.maskWidth && my < facts.maskHeight;
                weight = Weigh(weight, inside ? user[my * facts.maskWidth + mx] : facts.maskColour);
            }
            weight = Weigh(weight, facts.opacity);
        }
    return weights;
}

// The frame's pixels at the depth of the image they are laid on.
const BYTE* PixelsAtDepth(const CZAVImg& frame, int depth, CZAVImg& converted)
{
    if (frame.GetBitsPerPixel() == depth)
        return static_cast<const BYTE*>(frame.GetImageData());
    frame.CopyTo(converted);
    if (depth == 8)
        converted.ConvertToGray8();
    else
        converted.ConvertBitDepth(depth, kTrueColourMethod, kTrueColourPalette);
    return static_cast<const BYTE*>(converted.GetImageData());
}

void CompositeLayer(CZAVImg& work, const CZAVImg& frame, int index)
{
    const CPsdLayerFacts facts = ReadLayerFacts(frame, index);
    if (!facts.visible || facts.width <= 0 || facts.height <= 0)
        return;
    if (frame.GetWidth() != facts.width || frame.GetHeight() != facts.height || !frame.HasImage())
        ThrowForLayer(kTextFrameMismatch, index);
    work.m_overlayBlendMode = work.BlendModeFromPsdKey(facts.blendKey);
    CZAVImg converted;
    const BYTE* pixels = PixelsAtDepth(frame, work.GetBitsPerPixel(), converted);
    const std::vector<BYTE> weights = LayerWeights(frame, facts);
    work.OverlayWithMask(pixels, facts.width, facts.height, weights.data(), facts.left, facts.top);
}

}  // namespace

void CZAVImg::CompositePsdLayers(const std::vector<const CZAVImg*>& layers)
{
    if (!HasImage())
        return;
    for (const CZAVImg* layer : layers)
        if (!layer)
            ThrowTextException("Invalid Parameter!");
    // Every layer goes onto a copy, which replaces the pixels only when all
    // of them were laid: a refused layer leaves the image as it was.
    CZAVImg work;
    CopyTo(work);
    for (size_t i = 0; i < layers.size(); ++i)
        CompositeLayer(work, *layers[i], static_cast<int>(i));
    CImageOperation operation(*this);
    operation.InstallFrom(work);
}

}  // namespace ZAV

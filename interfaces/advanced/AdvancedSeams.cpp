#include "interfaces/advanced/AdvancedSeams.h"

#include <cstdint>
#include <limits>
#include <memory>
#include <mutex>

#include "foundation/text/TextException.h"
#include "image/drawer/ImgDrawerWithAntialiasing.h"
#include "image/hdr/HdrProcessor.h"
#include "interfaces/advanced/ZAVAdvancedImgProc.h"
#include "interfaces/advanced/ZAVAdvancedImgProcInterfaces.h"

namespace ZAV {

namespace {

// The smoothing of the antialiased modes' second stage: Gauss 3 x 3.
constexpr int32_t kAntialiasFilterKind = 1;
// The further step for 1-bit pictures: a contrast stretch of 32..223 onto
// 0..255 that gives the smoothed ink its black and the paper its white.
constexpr int32_t kStretchLow = 32;
constexpr int32_t kStretchHigh = 223;
constexpr int32_t kSampleLargest = 255;

// A stand-alone advanced object working on the drawer's work images.
class CAdvancedAntialiasProcessor final : public IAntialiasProcessor {
public:
    CAdvancedAntialiasProcessor() : m_object(CreateAdvancedImgProcSp()) {}

    void AttachNoFree(void* pixels, int64_t size, int width, int height, int bitsPerPixel) override
    {
        if (size < 0 || size > std::numeric_limits<int32_t>::max())
            ThrowTextException("Image too large for the AdvancedImgProc library!");
        m_object->AttachNoFree(pixels, static_cast<int32_t>(size), width, height, bitsPerPixel);
    }

    void Resample(IAntialiasProcessor& source, int width, int height, int method) override
    {
        m_object->GetTransformation()->Resize(Object(source), width, height, method);
    }

    void Filter(IAntialiasProcessor& source) override
    {
        m_object->GetFilter()->Filter(kAntialiasFilterKind, Object(source));
    }

    void Logic() override { m_object->GetLogic()->Scale(kStretchLow, kStretchHigh, 0, kSampleLargest); }

    void Clear() override
    {
        try {
            m_object->Clear();
        } catch (const CTextException&) {
            // the object forgets its pixels when it goes in any case
        }
    }

private:
    static IZAVAdvancedImgProcSp* Object(IAntialiasProcessor& processor)
    {
        auto* advanced = dynamic_cast<CAdvancedAntialiasProcessor*>(&processor);
        if (!advanced)
            ThrowTextException("Invalid Parameter!");
        return advanced->m_object.Get();
    }

    CZAVPtr<IZAVAdvancedImgProcSp> m_object;
};

// Null when the library cannot be had, which the drawer reports itself.
std::unique_ptr<IAntialiasProcessor> MakeAntialiasProcessor()
{
    try {
        return std::make_unique<CAdvancedAntialiasProcessor>();
    } catch (const CTextException&) {
        return nullptr;
    }
}

constexpr int kSampleBits = 16;

// A stand-alone advanced object working on the reduction's own buffers.
class CAdvancedHdrProcessor final : public IHdrProcessor {
public:
    CAdvancedHdrProcessor() : m_object(CreateAdvancedImgProcSp()) {}

    void AttachNoFree(void* pixels, int64_t size, int width, int height, int bitsPerPixel) override
    {
        if (size < 0 || size > std::numeric_limits<int32_t>::max())
            ThrowTextException("Image too large for the AdvancedImgProc library!");
        m_object->AttachNoFree(pixels, static_cast<int32_t>(size), width, height, bitsPerPixel);
    }

    // The reduction asks for every sample shifted up by the channels' bit
    // counts; the library's Scale maps the b-bit range [0, 2^b - 1] onto
    // [0, (2^b - 1) * 2^shift], which is that shift exactly.
    void Scale(int red, int green, int blue, int) override
    {
        if (red != green || red != blue || red < 0 || red >= kSampleBits)
            ThrowTextException("Invalid Parameter!");
        if (red == 0)
            return;
        const int32_t largest = (1 << (kSampleBits - red)) - 1;
        m_object->GetLogic()->Scale(0, largest, 0, largest << red);
    }

    void HDRScaleDown(IHdrProcessor& source) override
    {
        auto* advanced = dynamic_cast<CAdvancedHdrProcessor*>(&source);
        if (!advanced)
            ThrowTextException("Invalid Parameter!");
        m_object->GetColorConversion()->HDRScaleDown(advanced->m_object.Get());
    }

private:
    CZAVPtr<IZAVAdvancedImgProcSp> m_object;
};

// Null when the library cannot be had: the reduction then fails with its
// initialisation text.
std::unique_ptr<IHdrProcessor> MakeHdrProcessor()
{
    try {
        return std::make_unique<CAdvancedHdrProcessor>();
    } catch (const CTextException&) {
        return nullptr;
    }
}

}  // namespace

void RegisterAdvancedImgProcSeams()
{
    static std::once_flag registered;
    std::call_once(registered, [] {
        CZAVImgDrawerWithAntialiasing::SetAdvancedImgProcFactory(&MakeAntialiasProcessor);
        SetHdrProcessorFactory(&MakeHdrProcessor);
    });
}

}  // namespace ZAV

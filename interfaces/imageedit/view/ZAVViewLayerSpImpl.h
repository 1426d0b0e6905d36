// The view-layer view (id 12) of the image-edit object: each operation runs
// on the object's view-layer state (T::GetPayload is the CZAVImageEdit).
#pragma once

#include "foundation/objects/ZAVObjectSpImpl.h"
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/ZAVImageEditInterfaces.h"

namespace ZAV {

template <class T>
class IZAVViewLayerSpImpl : public TZAVSpView<T, IZAVViewLayerSp> {
public:
    CZAVPtr<IZAVObjectSp> GetObjectSp() override { return this->SpObject()->InternalGetObjectSp(); }
    int Draw(HDC dc, WORD reserved1, WORD reserved2, IZAVLayerView* view, const POINT* origin, int partial,
             const CWorldRect* part, double reserved3, double reserved4) override
    {
        return Layer().Draw(dc, reserved1, reserved2, view, origin, partial, part, reserved3, reserved4);
    }
    int DrawTo(IZAVLayerTarget* target, WORD reserved1, IZAVLayerView* view, const POINT* origin, int partial,
               const CWorldRect* part, double reserved3, double reserved4) override
    {
        return Layer().DrawTo(target, reserved1, view, origin, partial, part, reserved3, reserved4);
    }
    // Kept for callers written against the full layer protocol; this layer
    // has nothing to do there.
    void Reserved1(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t,
                   int32_t, int32_t) override
    {
    }
    void Reserved2(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) override {}
    int GetLayerFlag1() override { return Layer().GetLayerFlag1(); }
    int SetLayerFlag1(int value) override { return Layer().SetLayerFlag1(value); }
    int GetLayerFlag2() override { return Layer().GetLayerFlag2(); }
    int SetLayerFlag2(int value) override { return Layer().SetLayerFlag2(value); }
    double GetFirstRangeMin() override { return Layer().GetFirstRangeMin(); }
    void SetFirstRangeStart(double value) override { Layer().SetFirstRangeStart(value); }
    double GetFirstRangeMax() override { return Layer().GetFirstRangeMax(); }
    void SetFirstRangeEnd(double value) override { Layer().SetFirstRangeEnd(value); }
    double GetSecondRangeMin() override { return Layer().GetSecondRangeMin(); }
    void SetSecondRangeStart(double value) override { Layer().SetSecondRangeStart(value); }
    double GetSecondRangeMax() override { return Layer().GetSecondRangeMax(); }
    void SetSecondRangeEnd(double value) override { Layer().SetSecondRangeEnd(value); }
    int GetLayerFlag3() override { return Layer().GetLayerFlag3(); }
    int SetLayerFlag3(int value) override { return Layer().SetLayerFlag3(value); }
    int HasImageData() override { return Layer().HasImageData(); }
    int GetLayerFlag4() override { return Layer().GetLayerFlag4(); }
    int SetLayerFlag4(int value) override { return Layer().SetLayerFlag4(value); }
    CWorldRect GetWorldRect() override { return Layer().GetWorldRect(); }
    void SetWorldRect(const CWorldRect& rect) override { Layer().SetWorldRect(rect); }
    std::string GetLayerText() override { return Layer().GetLayerText(); }
    void SetLayerText(const std::string& text) override { Layer().SetLayerText(text); }
    CZAVPtr<IZAVObjectSp> GetLayerObject() override { return Layer().GetLayerObject(); }
    void Reserved3(int32_t) override {}
    void Reserved4() override {}
    void Reserved5(int32_t) override {}

protected:
    ~IZAVViewLayerSpImpl() = default;

private:
    CZAVViewLayer& Layer() { return static_cast<CZAVImageEdit*>(this->SpObject()->GetPayload())->GetViewLayer(); }
};

}  // namespace ZAV

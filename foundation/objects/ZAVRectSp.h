// The rectangle value object: four signed 32-bit edges behind IZAVRectSp.
#pragma once

#include <cstdint>
#include <utility>

#include "foundation/objects/ZAVInterfaces.h"
#include "foundation/objects/ZAVObjectSpImpl.h"
#include "foundation/objects/ZAVPtr.h"
#include "foundation/objects/ZAVRefCountBase.h"
#include "platform/WinTypes.h"

namespace ZAV {

class IZAVRectSp : public IZAVUnknownSp, public IZAVQueryInterfaceSp {
public:
    static constexpr int32_t kInterfaceId = zaviidRect;

    virtual CZAVPtr<IZAVObjectSp> GetObjectSp() = 0;
    // Each setter returns the value written.
    virtual int32_t GetLeft() = 0;
    virtual int32_t SetLeft(int32_t value) = 0;
    virtual int32_t GetTop() = 0;
    virtual int32_t SetTop(int32_t value) = 0;
    virtual int32_t GetRight() = 0;
    virtual int32_t SetRight(int32_t value) = 0;
    virtual int32_t GetBottom() = 0;
    virtual int32_t SetBottom(int32_t value) = 0;
    // right - left and bottom - top.
    virtual int32_t GetWidth() = 0;
    virtual int32_t GetHeight() = 0;
    // Swaps the edges so that left <= right and top <= bottom.
    virtual void Normalize() = 0;
    // Swaps the edges so that left <= right and top >= bottom.
    virtual void NormalizeBottomUp() = 0;

protected:
    ~IZAVRectSp() = default;
};

template <class T>
class IZAVRectSpImpl : public TZAVSpView<T, IZAVRectSp> {
public:
    CZAVPtr<IZAVObjectSp> GetObjectSp() override { return this->SpObject()->InternalGetObjectSp(); }
    int32_t GetLeft() override { return Rect().left; }
    int32_t SetLeft(int32_t value) override { return Rect().left = value; }
    int32_t GetTop() override { return Rect().top; }
    int32_t SetTop(int32_t value) override { return Rect().top = value; }
    int32_t GetRight() override { return Rect().right; }
    int32_t SetRight(int32_t value) override { return Rect().right = value; }
    int32_t GetBottom() override { return Rect().bottom; }
    int32_t SetBottom(int32_t value) override { return Rect().bottom = value; }
    // Differences in 64 bits cut to 32, as the edges' own arithmetic would
    // wrap; no overflow trap on extreme edges.
    int32_t GetWidth() override { return static_cast<int32_t>(int64_t(Rect().right) - Rect().left); }
    int32_t GetHeight() override { return static_cast<int32_t>(int64_t(Rect().bottom) - Rect().top); }
    void Normalize() override
    {
        RECT& r = Rect();
        Order(r.left, r.right);
        Order(r.top, r.bottom);
    }
    void NormalizeBottomUp() override
    {
        RECT& r = Rect();
        Order(r.left, r.right);
        Order(r.bottom, r.top);
    }

protected:
    ~IZAVRectSpImpl() = default;

private:
    RECT& Rect() { return *static_cast<RECT*>(this->SpObject()->GetPayload()); }
    static void Order(LONG& low, LONG& high)
    {
        if (high < low)
            std::swap(low, high);
    }
};

class CZAVRectSp final : public CZAVRefCountBase<CZAVRectSp>,
                         public IZAVObjectSpImpl<CZAVRectSp>,
                         public IZAVRectSpImpl<CZAVRectSp> {
public:
    explicit CZAVRectSp(const RECT& rect) : m_rect(rect) {}

    void* GetInterfaceView(int32_t id);
    void* GetPayload() { return &m_rect; }

private:
    RECT m_rect;
};

// A new rectangle object holding a copy of the rectangle.
CZAVPtr<IZAVRectSp> CreateRectSp(const RECT& rect);

}  // namespace ZAV

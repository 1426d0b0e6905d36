// Shapes that give a clip region on request: the region is made on the
// first request and deleted with the shape.
#pragma once

#include "platform/gdi/GdiTypes.h"

namespace ZAV {

class CAPIPointsBase {
public:
    CAPIPointsBase() = default;
    virtual ~CAPIPointsBase();
    CAPIPointsBase(const CAPIPointsBase&) = delete;
    CAPIPointsBase& operator=(const CAPIPointsBase&) = delete;

    virtual bool IsValid() const = 0;
    virtual HRGN GetRegion(int argument) = 0;

protected:
    HRGN m_region = nullptr;
};

class CAPIRect : public CAPIPointsBase {
public:
    explicit CAPIRect(const RECT& rect) : m_left(rect.left), m_top(rect.top), m_right(rect.right), m_bottom(rect.bottom)
    {
    }
    bool IsValid() const override { return true; }
    // The rectangle's region, made once; the argument is not used.
    HRGN GetRegion(int argument) override;

private:
    LONG m_left;
    LONG m_top;
    LONG m_right;
    LONG m_bottom;
};

}  // namespace ZAV

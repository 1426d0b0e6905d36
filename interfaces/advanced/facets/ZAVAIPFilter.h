// The filter facet of the advanced image-processing object: predefined and
// user-defined neighbourhood filters, antialiasing, and the size queries
// that go with filters. The owner's image is the destination; the image-edit
// forms take the source as 8-bit grey or 24-bit colour and re-create the
// owner's image at the source's size and depth first.
#pragma once

#include <cstdint>
#include <utility>

#include "interfaces/imageedit/ZAVImageEditInterfaces.h"

namespace ZAV {

class CZAVAdvancedImgProc;
class IZAVAdvancedImgProcSp;

class IZAVAIPFilterCpp {
public:
    virtual void Filter(int32_t kind, IZAVImageEditSp* source) = 0;
    virtual void Filter(int32_t kind, IZAVAdvancedImgProcSp* source) = 0;
    // The kernel holds value3 x value4 integers, row by row.
    virtual void FilterUserDefined(IZAVImageEditSp* source, const CZAVInt32Array& kernel, int32_t value3,
                                   int32_t value4, int32_t value5, int32_t value6, int32_t value7) = 0;
    virtual void FilterUserDefined(IZAVAdvancedImgProcSp* source, const CZAVInt32Array& kernel, int32_t value3,
                                   int32_t value4, int32_t value5, int32_t value6, int32_t value7) = 0;
    virtual void Antialias(IZAVImageEditSp* source) = 0;
    virtual void Antialias(IZAVAdvancedImgProcSp* source) = 0;
    // {first, second}, starting as {b, a} where the library writes nothing.
    virtual std::pair<int32_t, int32_t> GetRoiForFilter(int32_t kind, int32_t a, int32_t b) = 0;
    virtual std::pair<int32_t, int32_t> GetRoiForFilterEx(int32_t value1, int32_t value2, int32_t value3, int32_t a,
                                                          int32_t b) = 0;
    // {first, second}, starting as {0, 0}.
    virtual std::pair<int32_t, int32_t> GetFilterBorder(int32_t value1, int32_t value2) = 0;
    virtual std::pair<int32_t, int32_t> GetFilterBorderEx(int32_t value1, int32_t value2, int32_t value3,
                                                          int32_t value4) = 0;

protected:
    ~IZAVAIPFilterCpp() = default;
};

class CZAVAIPFilter : public IZAVAIPFilterCpp {
public:
    explicit CZAVAIPFilter(CZAVAdvancedImgProc* owner) : m_owner(owner) {}

    void Filter(int32_t kind, IZAVImageEditSp* source) override;
    void Filter(int32_t kind, IZAVAdvancedImgProcSp* source) override;
    void FilterUserDefined(IZAVImageEditSp* source, const CZAVInt32Array& kernel, int32_t value3, int32_t value4,
                           int32_t value5, int32_t value6, int32_t value7) override;
    void FilterUserDefined(IZAVAdvancedImgProcSp* source, const CZAVInt32Array& kernel, int32_t value3, int32_t value4,
                           int32_t value5, int32_t value6, int32_t value7) override;
    void Antialias(IZAVImageEditSp* source) override;
    void Antialias(IZAVAdvancedImgProcSp* source) override;
    std::pair<int32_t, int32_t> GetRoiForFilter(int32_t kind, int32_t a, int32_t b) override;
    std::pair<int32_t, int32_t> GetRoiForFilterEx(int32_t value1, int32_t value2, int32_t value3, int32_t a,
                                                  int32_t b) override;
    std::pair<int32_t, int32_t> GetFilterBorder(int32_t value1, int32_t value2) override;
    std::pair<int32_t, int32_t> GetFilterBorderEx(int32_t value1, int32_t value2, int32_t value3,
                                                  int32_t value4) override;

private:
    CZAVAdvancedImgProc* m_owner;
};

}  // namespace ZAV

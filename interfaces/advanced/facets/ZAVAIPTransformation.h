// The geometry facet of the advanced image-processing object: resizing,
// mirroring, rotation, shearing and perspective warping, and the boxes that
// tell how large a rotated, sheared or warped picture becomes. The owner's
// image is the destination; the image-edit forms size it from those boxes.
#pragma once

#include <cstdint>

#include "foundation/containers/ArraySimple.h"
#include "interfaces/imageedit/ZAVImageEditInterfaces.h"

namespace ZAV {

class CZAVAdvancedImgProc;
class IZAVAdvancedImgProcSp;

// The extent of a transformed picture, in pixels.
struct AIPBox {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
};

class IZAVAIPTransformationCpp {
public:
    virtual void Resize(IZAVImageEditSp* source, int32_t width, int32_t height, int32_t mode) = 0;
    virtual void Resize(IZAVAdvancedImgProcSp* source, int32_t width, int32_t height, int32_t mode) = 0;
    virtual void MirrorHorizontal() = 0;
    virtual void MirrorVertical() = 0;
    virtual AIPBox RotateBox(IZAVAdvancedImgProcSp* source, double angle) = 0;
    virtual AIPBox ShearBox(IZAVAdvancedImgProcSp* source, double shearX, double shearY) = 0;
    virtual AIPBox WarpPerspectiveBox(IZAVAdvancedImgProcSp* source, const CArraySimple<double, 3>& coefficients) = 0;
    // Always nine coefficients.
    virtual CArraySimple<double, 3> WarpPerspectiveCoefficients(IZAVAdvancedImgProcSp* source,
                                                                const CArraySimple<double, 3>& corners) = 0;
    // The owner's image becomes the rotated box, filled with the source's
    // background colour first.
    virtual void Rotate(IZAVImageEditSp* source, double angle, int32_t mode) = 0;
    virtual void Rotate(IZAVAdvancedImgProcSp* source, double angle, int32_t mode) = 0;
    virtual void RotateCenter(IZAVImageEditSp* source, double angle, int32_t value1, int32_t value2,
                              int32_t value3) = 0;
    virtual void RotateCenter(IZAVAdvancedImgProcSp* source, double angle, int32_t value1, int32_t value2,
                              int32_t value3) = 0;
    virtual void Shear(IZAVImageEditSp* source, double shearX, double shearY, int32_t mode) = 0;
    virtual void Shear(IZAVAdvancedImgProcSp* source, double shearX, double shearY, int32_t mode) = 0;
    virtual void WarpPerspective(IZAVImageEditSp* source, const CArraySimple<double, 3>& coefficients,
                                 int32_t mode) = 0;
    virtual void WarpPerspective(IZAVAdvancedImgProcSp* source, const CArraySimple<double, 3>& coefficients,
                                 int32_t mode) = 0;

protected:
    ~IZAVAIPTransformationCpp() = default;
};

class CZAVAIPTransformation : public IZAVAIPTransformationCpp {
public:
    explicit CZAVAIPTransformation(CZAVAdvancedImgProc* owner) : m_owner(owner) {}

    void Resize(IZAVImageEditSp* source, int32_t width, int32_t height, int32_t mode) override;
    void Resize(IZAVAdvancedImgProcSp* source, int32_t width, int32_t height, int32_t mode) override;
    void MirrorHorizontal() override;
    void MirrorVertical() override;
    AIPBox RotateBox(IZAVAdvancedImgProcSp* source, double angle) override;
    AIPBox ShearBox(IZAVAdvancedImgProcSp* source, double shearX, double shearY) override;
    AIPBox WarpPerspectiveBox(IZAVAdvancedImgProcSp* source, const CArraySimple<double, 3>& coefficients) override;
    CArraySimple<double, 3> WarpPerspectiveCoefficients(IZAVAdvancedImgProcSp* source,
                                                        const CArraySimple<double, 3>& corners) override;
    void Rotate(IZAVImageEditSp* source, double angle, int32_t mode) override;
    void Rotate(IZAVAdvancedImgProcSp* source, double angle, int32_t mode) override;
    void RotateCenter(IZAVImageEditSp* source, double angle, int32_t value1, int32_t value2, int32_t value3) override;
    void RotateCenter(IZAVAdvancedImgProcSp* source, double angle, int32_t value1, int32_t value2,
                      int32_t value3) override;
    void Shear(IZAVImageEditSp* source, double shearX, double shearY, int32_t mode) override;
    void Shear(IZAVAdvancedImgProcSp* source, double shearX, double shearY, int32_t mode) override;
    void WarpPerspective(IZAVImageEditSp* source, const CArraySimple<double, 3>& coefficients, int32_t mode) override;
    void WarpPerspective(IZAVAdvancedImgProcSp* source, const CArraySimple<double, 3>& coefficients,
                         int32_t mode) override;

private:
    // Re-creates the owner's image at the box's size with the source's depth;
    // false (nothing changed) when the box is below one pixel.
    bool PrepareBoxDestination(IZAVImageEditSp* source, const AIPBox& box);

    CZAVAdvancedImgProc* m_owner;
};

}  // namespace ZAV

#include "platform/gdi/draw/Paths.h"

#include "platform/gdi/draw/CairoPaint.h"
#include "platform/gdi/metafile/record/MetafileDC.h"

using namespace ZAV::Gdi;

namespace {

DC* PathDC(HDC handle)
{
    if (ZAV::Meta::RefusedOnMetafile(handle))
        return nullptr;
    return FindDC(handle);
}

void DestroyContext(_cairo* cr)
{
    cairo_destroy(cr);
}

void DestroyPath(cairo_path* path)
{
    cairo_path_destroy(path);
}

BOOL PaintPath(HDC handle, int parts)
{
    DC* dc = PathDC(handle);
    if (!dc || !dc->path || dc->pathBuilder)
        return FALSE;
    const std::shared_ptr<cairo_path> path = std::move(dc->path);
    return PaintShape(*dc, parts, DevicePathBuilder(*dc, path.get())) ? TRUE : FALSE;
}

}  // namespace

BOOL BeginPath(HDC handle)
{
    DC* dc = PathDC(handle);
    if (!dc)
        return FALSE;
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    dc->pathBuilder.reset(cairo_create(scratch), DestroyContext);
    cairo_surface_destroy(scratch);
    dc->path.reset();
    return TRUE;
}

BOOL EndPath(HDC handle)
{
    DC* dc = PathDC(handle);
    if (!dc || !dc->pathBuilder)
        return FALSE;
    cairo_t* cr = dc->pathBuilder.get();
    cairo_identity_matrix(cr);
    dc->path.reset(cairo_copy_path(cr), DestroyPath);
    dc->pathBuilder.reset();
    return TRUE;
}

BOOL AbortPath(HDC handle)
{
    DC* dc = PathDC(handle);
    if (!dc)
        return FALSE;
    dc->pathBuilder.reset();
    dc->path.reset();
    return TRUE;
}

BOOL CloseFigure(HDC handle)
{
    DC* dc = PathDC(handle);
    if (!dc || !dc->pathBuilder)
        return FALSE;
    cairo_close_path(dc->pathBuilder.get());
    return TRUE;
}

BOOL StrokePath(HDC handle)
{
    return PaintPath(handle, kStrokePart);
}

BOOL FillPath(HDC handle)
{
    return PaintPath(handle, kFillPart);
}

BOOL StrokeAndFillPath(HDC handle)
{
    return PaintPath(handle, kFillPart | kStrokePart);
}

BOOL SelectClipPath(HDC handle, int mode)
{
    DC* dc = PathDC(handle);
    if (!dc || !dc->path || dc->pathBuilder)
        return FALSE;
    if (mode != RGN_COPY && !(mode == RGN_AND && !dc->clipPath))
        return FALSE;
    dc->clipPath = std::move(dc->path);
    dc->clipPathFillMode = dc->polyFillMode;
    return TRUE;
}

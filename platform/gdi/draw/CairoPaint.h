// The drawing engine of the software graphics layer: shapes and text are
// drawn by cairo, without antialiasing for shapes (the device draws whole
// pixels, as the designed-for device does), into a layer that is then laid
// over the DC's surface pixel by pixel, so that every surface kind (device
// bitmaps, DIB sections of any depth, palette devices) and the clip
// rectangle are honoured by one path. Internal to the graphics layer.
#pragma once

#include "platform/gdi/GdiObjects.h"

#include <cairo.h>

#include <functional>

namespace ZAV {
namespace Gdi {

// Builds a path in logical units; it runs with the DC's transform set.
// For the outline (and for a path bracket) boxes given right and bottom
// exclusive lose their last pixel, so that the outline of a rectangle from 0
// to 4 lies on pixels 0 and 3, inside the area its fill covers.
using PathBuilder = std::function<void(cairo_t*, bool outline)>;

enum PaintParts { kFillPart = 1, kStrokePart = 2 };

// Logical units to device pixels: the DC's world transform, then its
// window origin.
cairo_matrix_t DeviceMatrix(const DC& dc);

// Fills the shape with the selected brush and strokes it with the selected
// pen (the parts asked). While a path bracket is open the shape joins the
// path instead. A stroke runs through pixel centres, so that a line from
// (0, 0) to (3, 0) lights pixels 0 to 2 and a filled rectangle from 0 to 3
// covers pixels 0 to 2, as on the designed-for device.
bool PaintShape(DC& dc, int parts, const PathBuilder& build);

// A builder that adds a path held in device coordinates.
PathBuilder DevicePathBuilder(const DC& dc, const cairo_path_t* path);

// Draws what was recorded on the surface over the DC's surface, inside the
// drawable area and the clip path.
void LayOver(DC& dc, cairo_surface_t* recording);

// A cairo context over a new recording surface, with the DC's clip path set.
cairo_t* OpenRecording(DC& dc, cairo_surface_t*& recording);

// The device path on a context whose transform is the identity for the call.
void AppendDevicePath(cairo_t* cr, const cairo_path_t* path);

// Sets the colour as the context's source.
void SetColour(cairo_t* cr, COLORREF colour);

}  // namespace Gdi
}  // namespace ZAV

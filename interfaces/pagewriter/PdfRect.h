// A rectangle on a PDF page in points (1/72 inch): x1, y1 are the lower-left
// corner as producers give it, x2, y2 the upper-right one.
#pragma once

namespace ZAV {

struct _PdfRect {
    double x1;
    double y1;
    double x2;
    double y2;
};

}  // namespace ZAV

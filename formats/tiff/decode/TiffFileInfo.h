// The facts of the current TIFF directory for the image-information list.
#pragma once

#include <tiffio.h>

#include "formats/FilterInterface.h"

namespace ZAV {

class CZAVImg;

// Writes TYPE, WIDTH, HEIGHT, COLORDEPTH, DPIX, DPIY, COMPRESSION, SUBTYPE
// and FRAMES to the image's list in use (when it has one), makes the file's
// compression the image's TIFF compression, and fills the record when given.
void ReadTiffFileInfo(TIFF* tiff, CZAVImg& image, FilterImageInfo* info);

// A resolution value as a whole number: 0 for none, negative or not a
// number; file values beyond any real resolution are held at a ceiling.
int TiffResolutionValue(double value);

// The image's resolution arguments (value pair and unit) for a directory's
// unit and values: dots per inch, dots per metre, or the screen's.
void TiffResolutionForImage(int unit, float x, float y, int& outX, int& outY, int& outUnit);

}  // namespace ZAV

// The TIFF horizontal predictor (TIFF 6.0 section 14; PDF /Predictor 2):
// each sample stored as its difference to the same sample of the pixel to
// its left, row by row.
#pragma once

#include <cstdint>

namespace ZAV {

class CZAVImg;

// True when Deflate data of the image carries the predictor: its TIFF
// predictor setting is 2 and it has 8 bits per sample.
bool UsesHorizontalPredictor(const CZAVImg& image);
void ApplyHorizontalPredictor(uint8_t* pixels, int width, int height, int samplesPerPixel);
void UndoHorizontalPredictor(uint8_t* pixels, int width, int height, int samplesPerPixel);

}  // namespace ZAV

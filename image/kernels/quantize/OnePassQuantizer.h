// One-pass colour quantizer after the published one of the Independent JPEG
// Group: an evenly spaced colour cube (one to three components), mapped
// plainly, with the 16 x 16 ordered dither, or with serpentine
// Floyd-Steinberg error diffusion.
#pragma once

#include "platform/WinTypes.h"

#include <vector>

namespace ZAV {

constexpr int kQuantizerMaxColors = 256;
constexpr int kQuantizerMaxComponents = 3;

enum QuantizerDither { kDitherNone = 0, kDitherOrdered = 1, kDitherFloydSteinberg = 2 };

class COnePassQuantizer {
public:
    // Chooses the colour cube for at most maxColors colours. Throws
    // CTextException "Error 1-pass quantizer!..." when no cube with two
    // levels a component fits, or when more than 256 colours are asked for.
    // A dither mode other than 1 or 2 maps without dithering.
    void Setup(int components, int maxColors, int ditherMode, int width);

    // Maps one row of width pixels (components bytes each) to indices; rows
    // are handed in top to bottom, since the dithers carry state between rows.
    void MapRow(const BYTE* in, BYTE* out);

    int GetColorCount() const { return m_colorCount; }
    // The value of a component (0 = red, or gray) in palette entry index.
    BYTE GetColor(int component, int index) const;

private:
    void ChooseLevels(int maxColors);
    void BuildColormap();
    void BuildColorIndex();
    void BuildOrderedDither();
    void MapRowPlain(const BYTE* in, BYTE* out) const;
    void MapRowOrdered(const BYTE* in, BYTE* out);
    void MapRowFloydSteinberg(const BYTE* in, BYTE* out);
    void DiffuseComponent(int component, const BYTE* in, BYTE* out);

    int m_components = 0;
    int m_colorCount = 0;
    int m_dither = kDitherNone;
    int m_width = 0;
    int m_levels[kQuantizerMaxComponents] = {};
    std::vector<BYTE> m_colormap[kQuantizerMaxComponents];
    // Value -> that component's share of the palette index.
    int m_colorIndex[kQuantizerMaxComponents][256] = {};
    int m_orderedDither[kQuantizerMaxComponents][16][16] = {};
    int m_ditherRow = 0;
    std::vector<int> m_errors[kQuantizerMaxComponents];
    bool m_oddRow = false;
};

}  // namespace ZAV

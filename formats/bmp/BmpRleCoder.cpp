#include "formats/bmp/BmpRleCoder.h"

namespace ZAV {

namespace {

constexpr int kLongestLiteral = 254;
constexpr int kLongestRun = 255;
constexpr int kShortestLiteral = 3;  // absolute runs of 1 and 2 would read as escapes

// Pixels from i on that differ from their left neighbour: the literal
// stretch starting at i. The pixel that begins an equal pair, and the one
// past 254, go back to the runs.
int LiteralLength(const std::vector<BYTE>& pixels, int i)
{
    const int width = static_cast<int>(pixels.size());
    int n = 1;
    while (pixels[i + n] != pixels[i + n - 1] && n <= kLongestLiteral && i + n < width - 1)
        ++n;
    if (pixels[i + n] == pixels[i + n - 1] || n > kLongestLiteral)
        --n;
    return n;
}

int RunLength(const std::vector<BYTE>& pixels, int i)
{
    const int width = static_cast<int>(pixels.size());
    int count = 1;
    while (count < kLongestRun && i + count < width && pixels[i + count] == pixels[i])
        ++count;
    return count;
}

}  // namespace

void AppendRleRow(const BYTE* row, int width, std::vector<uint8_t>& codes)
{
    std::vector<BYTE> pixels(row, row + width);
    if (width % 2)
        pixels.push_back(0);
    const int even = static_cast<int>(pixels.size());
    for (int i = 0; i < even;) {
        const int literal = i < even - 2 ? LiteralLength(pixels, i) : 0;
        if (literal >= kShortestLiteral) {
            codes.push_back(0);
            codes.push_back(static_cast<uint8_t>(literal));
            codes.insert(codes.end(), pixels.begin() + i, pixels.begin() + i + literal);
            if (literal % 2)
                codes.push_back(0);
            i += literal;
            continue;
        }
        const int run = RunLength(pixels, i);
        codes.push_back(static_cast<uint8_t>(run));
        codes.push_back(pixels[i]);
        i += run;
    }
    codes.push_back(0);
    codes.push_back(0);
}

void AppendRleEnd(std::vector<uint8_t>& codes)
{
    codes.push_back(0);
    codes.push_back(1);
}

}  // namespace ZAV

#include "formats/pdf/PDFRunLength.h"

#include <algorithm>

namespace ZAV {

namespace {

// Longest literal and longest run one length byte describes.
constexpr int kMaxLiteral = 128;
constexpr int kMaxRun = 128;
// A repeat shorter than this is cheaper inside a literal.
constexpr int kMinRun = 3;

int RunLength(const uint8_t* row, int at, int end)
{
    int n = 1;
    while (at + n < end && n < kMaxRun && row[at + n] == row[at])
        ++n;
    return n;
}

void FlushLiteral(std::vector<uint8_t>& out, const uint8_t* row, int start, int end)
{
    while (start < end) {
        const int n = std::min(kMaxLiteral, end - start);
        out.push_back(static_cast<uint8_t>(n - 1));
        out.insert(out.end(), row + start, row + start + n);
        start += n;
    }
}

void PackRow(std::vector<uint8_t>& out, const uint8_t* row, int length)
{
    int literalStart = 0;
    int at = 0;
    while (at < length) {
        const int run = RunLength(row, at, length);
        if (run < kMinRun) {
            at += run;
            continue;
        }
        FlushLiteral(out, row, literalStart, at);
        out.push_back(static_cast<uint8_t>(257 - run));
        out.push_back(row[at]);
        at += run;
        literalStart = at;
    }
    FlushLiteral(out, row, literalStart, length);
}

}  // namespace

std::vector<uint8_t> PackBitsRows(const uint8_t* pixels, int bytesPerLine, int height)
{
    std::vector<uint8_t> out;
    if (!pixels || bytesPerLine <= 0 || height <= 0)
        return out;
    out.reserve(static_cast<size_t>(bytesPerLine) * static_cast<size_t>(height) / 2 + 16);
    for (int y = 0; y < height; ++y)
        PackRow(out, pixels + static_cast<size_t>(y) * static_cast<size_t>(bytesPerLine), bytesPerLine);
    return out;
}

}  // namespace ZAV

#include "formats/pnm/PnmTextLines.h"

#include <cstdio>

namespace ZAV {

namespace {

constexpr size_t kPpmLineBreak = 54;
constexpr size_t kPgmLineBreak = 64;
constexpr size_t kPbmLineBreak = 68;

std::string SamplesRow(const unsigned char* row, int width, int channels, size_t lineBreak)
{
    std::string text;
    size_t lineLength = 0;
    char group[32];
    for (int x = 0; x < width; ++x) {
        const unsigned char* p = row + static_cast<size_t>(x) * channels;
        const int n = channels == 3 ? std::snprintf(group, sizeof group, "%d %d %d  ", p[0], p[1], p[2])
                                    : std::snprintf(group, sizeof group, "%d ", p[0]);
        text.append(group, static_cast<size_t>(n));
        lineLength += static_cast<size_t>(n);
        if (lineLength >= lineBreak && x + 1 < width) {
            text += '\n';
            lineLength = 0;
        }
    }
    text += '\n';
    return text;
}

}  // namespace

std::string PpmTextRow(const unsigned char* row, int width)
{
    return SamplesRow(row, width, 3, kPpmLineBreak);
}

std::string PgmTextRow(const unsigned char* row, int width)
{
    return SamplesRow(row, width, 1, kPgmLineBreak);
}

std::string CPbmTextLines::AddPixel(int black)
{
    m_line += black ? "1 " : "0 ";
    if (m_line.size() < kPbmLineBreak)
        return std::string();
    m_brokeByLength = true;
    return EndRow();
}

std::string CPbmTextLines::EndRow()
{
    if (m_brokeByLength && m_line.size() < kPbmLineBreak)
        return std::string();
    std::string line = m_line + "\n";
    m_line.clear();
    return line;
}

std::string CPbmTextLines::Rest()
{
    std::string rest;
    rest.swap(m_line);
    return rest;
}

}  // namespace ZAV

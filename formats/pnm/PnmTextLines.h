// The text forms' layout: the numbers of each row with the line breaks
// each format's encoder makes.
#pragma once

#include <string>

namespace ZAV {

class CZAVImg;

// PPM: "%d %d %d  " a pixel, a break once a line reaches 54 characters
// (not after a row's last pixel), "\n" after every row.
std::string PpmTextRow(const unsigned char* row, int width);
// PGM: "%d " a pixel, a break at 64 characters, "\n" after every row.
std::string PgmTextRow(const unsigned char* row, int width);

// PBM: "%d " a pixel (1 = black), lines ended at 68 characters; row ends
// end a line only until the first line was ended by its length.
class CPbmTextLines {
public:
    // The pixel's digit; returns a finished line to write, or "".
    std::string AddPixel(int black);
    std::string EndRow();
    std::string Rest();

private:
    std::string m_line;
    bool m_brokeByLength = false;
};

}  // namespace ZAV

#include "formats/pnm/PnmFormat.h"

namespace ZAV {

const PnmFormat kPpmFormat = {"P3",
                              "P6",
                              3,
                              24,
                              true,
                              "Portable Pixel Map (PPM)",
                              "Invalid PPM Header!",
                              "Invalid PPM data!",
                              "PPM export requires 24bpp RGB image!"};
const PnmFormat kPgmFormat = {"P2",
                              "P5",
                              1,
                              8,
                              true,
                              "Portable Gray Map (PGM)",
                              "Invalid PGM Header!",
                              "Invalid PGM data!",
                              "PGM export requires 8bpp grayscale image!"};
const PnmFormat kPbmFormat = {"P1",
                              "P4",
                              1,
                              1,
                              false,
                              "Portable Binary Map (PBM)",
                              "Invalid PBM Header!",
                              "Invalid PBM data!",
                              "PBM export requires 1bpp black&white image!"};

}  // namespace ZAV

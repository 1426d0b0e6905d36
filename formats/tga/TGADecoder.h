// CTGADecoder: Truevision TGA pictures (format 7): colour-mapped, true
// colour and black-and-white, raw or run-length coded. 15- and 24-bit
// pixels load as 24 bits; 16- and 32-bit pixels as 24 bits with their
// alpha as the image's mask; 1-bit pixels as a black-and-white image.
#pragma once

#include "formats/codec/PicDecoder.h"

namespace ZAV {

struct TgaHeader;

class CTGADecoder : public CPicDecoder {
protected:
    int DoLoadPicture(IDataSource* source, int* depth) override;
    int DoGetFileInfo(IDataSource* source, FilterImageInfo* info) override;

private:
    void CreateImage(const TgaHeader& header, int imageDepth);
};

}  // namespace ZAV

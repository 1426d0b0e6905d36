#include "formats/pcx/PcxRunReader.h"

#include "formats/codec/FileBytes.h"
#include "formats/codec/PicDecoder.h"

namespace ZAV {

namespace {

constexpr uint8_t kRunFlag = 0xC0;
constexpr uint8_t kCountMask = 0x3F;
constexpr int kCodeRun = 7;

}  // namespace

void ReadPcxRuns(CFileBytes& stream, std::vector<uint8_t>& buffer)
{
    size_t filled = 0;
    while (filled < buffer.size()) {
        uint8_t value = stream.U8();
        size_t count = 1;
        if ((value & kRunFlag) == kRunFlag) {
            count = value & kCountMask;
            value = stream.U8();
        }
        if (count > buffer.size() - filled)
            CPicDecoder::ThrowError(kCodeRun, "repeat count spans end of image.");
        for (size_t i = 0; i < count; ++i)
            buffer[filled++] = value;
    }
}

uint64_t MaxPcxUnpackedBytes(uint64_t streamBytes)
{
    return (streamBytes / 2 + 1) * kCountMask;
}

}  // namespace ZAV

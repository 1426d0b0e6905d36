#include "formats/pcx/PcxRunWriter.h"

namespace ZAV {

namespace {

constexpr uint8_t kRunFlag = 0xC0;
constexpr size_t kMaxRun = 63;

}  // namespace

void AppendPcxRuns(const uint8_t* bytes, size_t count, std::vector<uint8_t>& out)
{
    size_t i = 0;
    while (i < count) {
        const uint8_t value = bytes[i];
        size_t run = 1;
        while (i + run < count && run < kMaxRun && bytes[i + run] == value)
            ++run;
        if (run == 1 && value < kRunFlag) {
            out.push_back(value);
        } else {
            out.push_back(static_cast<uint8_t>(kRunFlag | run));
            out.push_back(value);
        }
        i += run;
    }
}

}  // namespace ZAV

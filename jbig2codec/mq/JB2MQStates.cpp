#include "jbig2codec/mq/JB2MQStates.h"

namespace ZAV {

namespace {

const uint16_t kQe[kMQStateRows] = {
    0x5601, 0x3401, 0x1801, 0x0AC1, 0x0521, 0x0221, 0x5601, 0x5401, 0x4801, 0x3801,
    0x3001, 0x2401, 0x1C01, 0x1601, 0x5601, 0x5401, 0x5101, 0x4801, 0x3801, 0x3401,
    0x3001, 0x2801, 0x2401, 0x2201, 0x1C01, 0x1801, 0x1601, 0x1401, 0x1201, 0x1101,
    0x0AC1, 0x09C1, 0x08A1, 0x0521, 0x0441, 0x02A1, 0x0221, 0x0141, 0x0111, 0x0085,
    0x0049, 0x0025, 0x0015, 0x0009, 0x0005, 0x0001, 0x5601};
const uint8_t kNextMps[kMQStateRows] = {
    1,  2,  3,  4,  5,  38, 7,  8,  9,  10, 11, 12, 13, 29, 15, 16,
    17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32,
    33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 45, 46};
const uint8_t kNextLps[kMQStateRows] = {
    1,  6,  9,  12, 29, 33, 6,  14, 14, 14, 17, 18, 20, 21, 14, 14,
    15, 16, 17, 18, 19, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29,
    30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 46};
const uint8_t kSwitch[kMQStateRows] = {
    1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

}  // namespace

void JB2MQStatesBuild(JB2MQState* table)
{
    for (uint32_t row = 0; row < kMQStateRows; ++row) {
        for (uint8_t mps = 0; mps < 2; ++mps) {
            JB2MQState& entry = table[2 * row + mps];
            entry.qe = kQe[row];
            entry.qeShifted = uint32_t(kQe[row]) << 16;
            entry.mps = mps;
            entry.nextMps = &table[2 * kNextMps[row] + mps];
            const uint8_t lpsSense = kSwitch[row] ? uint8_t(1 - mps) : mps;
            entry.nextLps = &table[2 * kNextLps[row] + lpsSense];
        }
    }
}

}  // namespace ZAV

// The probability estimation states of the MQ coder, expanded so that a
// context is a single pointer and every transition is a pointer move.
#pragma once

#include <cstdint>

namespace ZAV {

struct JB2MQState {
    uint32_t qeShifted;      // Qe << 16: the decoder keeps A and C MSB-aligned
    uint16_t qe;
    uint8_t mps;
    const JB2MQState* nextMps;
    const JB2MQState* nextLps;  // with the MPS sense switched where the row says so
};

// Rows of the estimation table, two entries per row (MPS 0, then MPS 1).
constexpr uint32_t kMQStateRows = 47;
constexpr uint32_t kMQStateEntries = 2 * kMQStateRows;

// Fills a table of kMQStateEntries entries.
void JB2MQStatesBuild(JB2MQState* table);

}  // namespace ZAV

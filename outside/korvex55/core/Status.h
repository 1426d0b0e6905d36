// The status of every entry point: 0 is success, each other value one kind of
// failure (listed with their meaning in this folder's README).
#pragma once

#include <cstdint>

namespace KORVEX55 {

enum Status : int32_t {
    kStatusOk = 0,
    kStatusUnknownHandle = 1,
    kStatusNullPointer = 2,
    kStatusBadValue = 3,
    kStatusSizeMismatch = 4,
    kStatusDepthMismatch = 5,
    kStatusNoImage = 6,
    kStatusTooLarge = 7,
    kStatusOutOfMemory = 8,
    kStatusInternal = 9,
};

}  // namespace KORVEX55

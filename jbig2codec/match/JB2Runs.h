// The runs of black pixels of a page, line by line, joined into 8-connected
// components: two runs on consecutive lines belong together when they touch,
// also at a corner. Each component is labelled in raster order of its first run.
#pragma once

#include <cstdint>

#include "jbig2codec/support/JB2Memory.h"
#include "jbig2codec/support/JB2Message.h"
#include "jbig2codec/support/JB2Status.h"

namespace ZAV {

struct JB2Run {
    uint32_t first;  // first and last x of the run
    uint32_t last;
    uint32_t line;    // the page row
    uint32_t parent;  // creation index of the parent run, its own while a root
    uint32_t label;   // component number, once connected
};

// Runs in creation order (line by line, left to right); a run's index is
// its creation index.
struct JB2RunArray {
    JB2Run* runs;
    uint32_t count;
    uint32_t capacity;
    uint32_t blockSize;   // the array grows by this many runs
    uint32_t components;  // roots: one per run before connecting
};

// blockSize 0 takes the default.
JB2_Error JB2RunArrayCreate(JB2RunArray** out, JB2Memory* memory, uint32_t blockSize, JB2Message* message);
// Appends the runs of one packed line of width pixels; lines come in
// ascending order.
JB2_Error JB2RunArrayAddLine(JB2RunArray* array, JB2Memory* memory, const uint8_t* line, uint32_t width,
                             uint32_t lineNumber, JB2Message* message);
// Joins touching runs and labels the components from 0.
JB2_Error JB2RunArrayConnect(JB2RunArray* array, JB2Message* message);
// Run index, -16 out of range.
JB2_Error JB2RunArrayGet(const JB2RunArray* array, uint32_t index, const JB2Run** run);
JB2_Error JB2RunArrayFree(JB2RunArray** array, JB2Memory* memory);

}  // namespace ZAV

// The file object: one JBIG2 document as an ordered segment array with its
// file organisation and page count, and reading the organisations
// (sequential, random-access, embedded; T.88 D.1 to D.3).
#pragma once

#include <cstdint>

#include "jbig2codec/segments/JB2SegmentArray.h"

namespace ZAV {

enum : uint32_t {
    cJB2_Organisation_Sequential = 0,
    cJB2_Organisation_Random_Access = 1,
    cJB2_Organisation_Unknown = 2
};

struct JB2File {
    uint32_t organisation;
    JB2SegmentArray* segments;
    uint32_t pages;
    uint32_t references;
    JB2Memory* memory;
};

// The id bytes that begin a JBIG2 file.
extern const uint8_t kJB2FileId[8];

JB2_Error JB2FileCreate(JB2File** out, JB2Memory* memory, JB2Message* message);
JB2_Error JB2FileRead(JB2File** out, JB2Memory* memory, JB2ReadData* readData, JB2Message* message);
void JB2FileAddReference(JB2File* file);
JB2_Error JB2FileRelease(JB2File** holder);
JB2_Error JB2FileSetOrganisation(JB2File* file, uint32_t organisation);

}  // namespace ZAV

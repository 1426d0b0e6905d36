// The file object: one JBIG2 document as an ordered segment array with its
// file organisation and page count; reading the organisations (sequential,
// random-access, embedded) and exporting as a JBIG2 file or for PDF.
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

// Writes the document (format 10, 20 or 100) through the write callback.
JB2_Error JB2FileExportDocument(JB2File* file, JB2_Write_Callback write, void* user, uint32_t format,
                                JB2Message* message);
// Writes one page (from 0) as a document of its own.
JB2_Error JB2FileExportPage(JB2File* file, uint32_t page, JB2_Write_Callback write, void* user, uint32_t format,
                            JB2Message* message);
// A new file object with page `page` (from 0) and the segments it refers to,
// renumbered from 0, ending with end of page and end of file.
JB2_Error JB2FileExtractPage(JB2File* file, uint32_t page, JB2File** out, JB2Message* message);

// Writes the JBIG2 file (format 10) through a write data object.
JB2_Error JB2FileWriteJBIG2(JB2File* file, JB2WriteData* writeData, JB2Message* message);

}  // namespace ZAV

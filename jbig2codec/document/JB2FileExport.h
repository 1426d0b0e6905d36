// Exporting a file object: as a JBIG2 file (sequential or random-access
// organisation, T.88 D.1 and D.2), as a PDF document or as the image stream
// of a single page for PDF.
#pragma once

#include <cstdint>

#include "jbig2codec/document/JB2File.h"

namespace ZAV {

// Writes the document (format 10, 20 or 100) through the write callback.
JB2_Error JB2FileExportDocument(JB2File* file, JB2_Write_Callback write, void* user, uint32_t format,
                                JB2Message* message);
// Writes one page (from 0) as a document of its own.
JB2_Error JB2FileExportPage(JB2File* file, uint32_t page, JB2_Write_Callback write, void* user, uint32_t format,
                            JB2Message* message);

// Writes the JBIG2 file (format 10) through a write data object, the
// segments in the order the file object holds them.
JB2_Error JB2FileWriteJBIG2(JB2File* file, JB2WriteData* writeData, JB2Message* message);

}  // namespace ZAV

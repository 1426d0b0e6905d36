// The codec's PDF writer: a PDF 1.4 document with one image per JBIG2 page
// (JBIG2Decode), or the image stream of a single page alone.
#pragma once

#include <cstdint>

#include "jbig2codec/document/JB2File.h"

namespace ZAV {

// The whole PDF document (export format 20).
JB2_Error JB2PdfWriteDocument(JB2File* file, JB2WriteData* writeData, JB2Message* message);
// The page stream of page 1 from offset 0 (export format 100).
JB2_Error JB2PdfWriteStreamForPdf(JB2File* file, JB2WriteData* writeData, JB2Message* message);

// The segments of page `page` (from 1; 0 for the global segments) in
// embedded organisation, without end of page and end of file, each with
// page association 1 (0 for globals). *offset advances; *length is the
// number of bytes written.
JB2_Error JB2PdfWritePageStream(JB2File* file, uint32_t page, JB2WriteData* writeData, uint32_t* offset,
                                uint32_t* length, JB2Message* message);
// The number of bytes the page stream takes.
JB2_Error JB2PdfPageStreamLength(JB2File* file, uint32_t page, uint32_t* length);
// True when a segment of a page refers to a global segment: the page then
// cannot be decoded from its own stream.
bool JB2PdfPagesNeedGlobals(const JB2File* file);

}  // namespace ZAV

// The syntaxcheck command: every object of a document listed page by page
// in the log, and each page's content stream appended to a text file beside
// the document.
#pragma once

#include "foundation/files/LogFile.h"
#include "interfaces/ZAVPdfInterfaces.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ZAVPDF {
class CPDFObjectBase;
}

namespace ZAV {

void ListDocumentObjects(const std::string& documentName, IZAVPdfDocumentSp* document, CLogFile& log);
void SavePageTexts(IZAVPdfDocumentSp* document, const std::string& documentName, CLogFile& log);

// One line per object, then "\tSummary Datasize: %d". An object that cannot
// be listed gets its failure on its line, and the listing goes on.
void ListObjectGroup(const std::vector<ZAVPDF::CPDFObjectBase*>& objects, CLogFile& log);
// The object's line; returns the byte count of its stream data.
int64_t WriteObjectLine(ZAVPDF::CPDFObjectBase* object, CLogFile& log);

// "folder/base_Content.txt" of the document's name.
std::string MakePageTextFileName(const std::string& documentName);

}  // namespace ZAV

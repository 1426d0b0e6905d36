// The log lines the commands that read a whole document open with: its load,
// then its name, its information entries and its page count.
#pragma once

#include <string>

#include "foundation/files/LogFile.h"
#include "interfaces/ZAVPdfInterfaces.h"

namespace ZAV {

// "Loading PDF '<name>'", the load, then "ok." on the same line; a failed
// load leaves the line open for the failure's text.
void LoadLogged(IZAVPdfDocumentSp* document, const std::string& documentName, CLogFile& log);

// "<file name>:", a "\t<entry> - '<value>'" line for each information entry
// that is set, and "Pages: <count>".
void LogDocumentSummary(IZAVPdfDocumentSp* document, CLogFile& log);

}  // namespace ZAV

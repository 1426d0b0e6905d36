// The picture files of one page, as the extractpicture command writes them.
#pragma once

#include <string>

#include "foundation/files/LogFile.h"
#include "foundation/text/String.h"
#include "interfaces/ZAVPdfInterfaces.h"

namespace ZAV {

// Writes every picture of the page into the folder of outputName as
// "<baseName>_<pageNumber>_<k>.png" (decoded) or ".jpg"/".jp2" (stored
// bytes), k the picture's place in the page's list from 1. Fails with
// "No outputfile available!" for an empty outputName, and with the save's
// text (or "Error writing file '%s'!") when a file cannot be written.
// Returns the number of picture files written.
int ExtractPagePictures(IZAVPdfPageSp* page, const std::string& outputName, const String& baseName, int pageNumber,
                        CLogFile& log);

}  // namespace ZAV

// The side files of a picture in the picture commands: its mask picture
// ("<base>_Mask.gif" ... ".tga") and its text file ("<base>.txt"), both in
// the picture's folder.
#pragma once

#include "foundation/containers/ArrayString.h"
#include "foundation/files/LogFile.h"
#include "foundation/text/String.h"
#include "interfaces/ZAVPdfInterfaces.h"
#include "interfaces/imageedit/ZAVImageEditInterfaces.h"

namespace ZAV {

// Loads the picture's mask file, the first of the six kinds that exists,
// into maskImage; without one the mask object is left as it is.
void FindMaskFile(const String& picturePath, IZAVImageEditSp* maskImage, CLogFile& log);

// The lines of the picture's text file, empty lines kept; none when there is
// no such file. "Cannot open file '%s'!" when it cannot be read.
CArrayString ReadIndexableText(const String& picturePath, CLogFile& log);

// Adds the lines as a text block in Courier on the page the document's page
// writer collects; the font is added to the page the first time
// (courierOnPage tells and is set).
void AddIndexableText(IZAVPdfDocumentSp* document, const CArrayString& lines, bool& courierOnPage);

}  // namespace ZAV

// The steps the two picture commands share: the coding settings of a
// picture, the failure line of a picture, and the closing save.
#pragma once

#include "foundation/files/LogFile.h"
#include "foundation/text/String.h"
#include "foundation/text/TextException.h"
#include "interfaces/ZAVPdfInterfaces.h"
#include "interfaces/imageedit/ZAVImageEditInterfaces.h"

namespace ZAV {

// The PDF coding of the picture's depth, and the command's JPEG 2000
// quality (compression rate) and quality layers.
void SelectPictureCoding(IZAVImageEditSp* picture, int jpeg2000Quality, int jpeg2000Layers);

// "Can't process imagefile '%s'! %s" with the failure's text.
void LogPictureFailure(CLogFile& log, const String& file, const CTextException& failure);

// "Loading '%s' ...", the load, "ok.": false when the file held no picture.
bool LoadPicture(IZAVImageEditSp* picture, const String& file, CLogFile& log);

// Saves the document under the output name when it holds anything, else
// logs "No content to save ".
void SavePictureDocument(IZAVPdfDocumentSp* document, const String& outputName, int pictureCount, CLogFile& log);

}  // namespace ZAV

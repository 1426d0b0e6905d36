// The steps the two picture commands share: the coding settings of a
// picture, the failure line of a picture, and the closing save.
#pragma once

#include "foundation/files/LogFile.h"
#include "foundation/text/String.h"
#include "foundation/text/TextException.h"
#include "interfaces/ZAVPdfInterfaces.h"
#include "interfaces/imageedit/ZAVImageEditInterfaces.h"

#include <functional>
#include <string>
#include <vector>

namespace ZAV {

// What both commands set up before the first picture: the input list, the
// output name (fixed before any picture is read; from the input name when
// no document name is given), an image-edit object that binds both
// plug-ins first, and the document.
struct CPictureCommand {
    std::vector<String> files;
    String outputName;
    CZAVPtr<IZAVImageEditSp> binder;
    CZAVPtr<IZAVPdfDocumentSp> document;
};
CPictureCommand StartPictureCommand(const std::string& pdfName, const std::string& inputName,
                                    const std::string& fileMask, CLogFile& log);

// Runs the step for every file with its index; a step that fails is logged
// as "Can't process imagefile '%s'! %s" and the next file follows. Returns
// the number of steps that returned true.
int ForEachPicture(const std::vector<String>& files, CLogFile& log,
                   const std::function<bool(const String& file, int index)>& step);

// The PDF coding of the picture's depth, and the command's JPEG 2000
// quality (compression rate) and quality layers.
void SelectPictureCoding(IZAVImageEditSp* picture, int jpeg2000Quality, int jpeg2000Layers);

// "Loading '%s' ...", the load, "ok.": false when the file held no picture.
bool LoadPicture(IZAVImageEditSp* picture, const String& file, CLogFile& log);

// Saves the document under the output name when it holds anything, else
// fails with "No content to save ".
void SavePictureDocument(IZAVPdfDocumentSp* document, const String& outputName, int pictureCount, CLogFile& log);

}  // namespace ZAV

// The library objects a command works with, bound to the two image-format
// plug-ins that lie beside the program.
#pragma once

#include "foundation/files/LogFile.h"
#include "foundation/text/String.h"
#include "foundation/objects/ZAVPtr.h"
#include "interfaces/ZAVPdfInterfaces.h"
#include "interfaces/imageedit/ZAVImageEditInterfaces.h"

namespace ZAV {

constexpr const char* kJpeg2000PluginFileName = "ZAVJ2k20.so";
constexpr const char* kJbig2PluginFileName = "ZAVJbg20.so";

// The plug-ins' full names beside the program; when a plug-in is not there,
// a placeholder name that fails to load like any missing file.
String J2kPluginPath();
String JbgPluginPath();

// A new image-edit object with the JPEG 2000 plug-in bound, then the JBIG2
// one; a plug-in that cannot be bound fails the call.
CZAVPtr<IZAVImageEditSp> CreateImageEdit();

// A new PDF document object that knows both plug-in paths and the log.
CZAVPtr<IZAVPdfDocumentSp> CreatePdfDocument(const CLogFile& log);

}  // namespace ZAV

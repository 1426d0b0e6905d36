#include "tool/LibraryObjects.h"

#include "foundation/files/FileUtils.h"
#include "interfaces/ZAVPdfDocumentSp.h"

namespace ZAV {

namespace {

String PluginPath(const char* fileName)
{
    String path = GetModuleDirectory(nullptr) + fileName;
    if (FileExists(path.GetText()))
        return path;
    // Not found: a fixed placeholder name, which then fails to load like any
    // missing file and shows plainly in the log where the plug-in was missed.
    return String("c:\\YourPath\\") + fileName;
}

}  // namespace

String J2kPluginPath()
{
    return PluginPath(kJpeg2000PluginFileName);
}

String JbgPluginPath()
{
    return PluginPath(kJbig2PluginFileName);
}

CZAVPtr<IZAVImageEditSp> CreateImageEdit()
{
    CZAVPtr<IZAVImageEditSp> image = CreateImageEditSp();
    image->AddImportExportDll(J2kPluginPath().ToStdString(), std::string());
    image->AddImportExportDll(JbgPluginPath().ToStdString(), std::string());
    return image;
}

CZAVPtr<IZAVPdfDocumentSp> CreatePdfDocument(const CLogFile& log)
{
    CZAVPtr<IZAVPdfDocumentSp> document = CreatePdfDocumentSp();
    document->SetJbig2PluginPath(JbgPluginPath().ToStdString());
    document->SetJpeg2000PluginPath(J2kPluginPath().ToStdString());
    document->SetLogFileName(log.GetFileName().ToStdString());
    return document;
}

}  // namespace ZAV

#include "tool/PictureSideFiles.h"

#include "foundation/files/FileUtils.h"

#include <vector>

namespace ZAV {

namespace {

// The mask kinds in the order they are looked for.
const char* const kMaskNameFormats[] = {"%s%s_Mask.gif",  "%s%s_Mask.png", "%s%s_Mask.tif",
                                        "%s%s_Mask.tiff", "%s%s_Mask.pcx", "%s%s_Mask.tga"};
constexpr const char* kTextFont = "Courier";
// Lets the image object find the format from the file.
constexpr int kAnyFormat = 255;

String SideFileName(const char* format, const String& picturePath)
{
    String name;
    name.Format(format, GetPathDirectory(picturePath).GetText(), GetPathFileName(picturePath, true).GetText());
    return name;
}

}  // namespace

void FindMaskFile(const String& picturePath, IZAVImageEditSp* maskImage, CLogFile& log)
{
    String name;
    bool found = false;
    for (const char* format : kMaskNameFormats) {
        name = SideFileName(format, picturePath);
        found = FileExists(name.GetText());
        if (found)
            break;
    }
    String line;
    if (!found) {
        // The name of the last kind tried.
        line.Format("\tNo gif,png,tif,pcx,tga Mask found '%s' ...", name.GetText());
        log.LogWrite(line.GetText(), true);
        return;
    }
    line.Format("\tLoading Mask '%s' ...", name.GetText());
    log.LogWrite(line.GetText(), false);
    maskImage->Clear();
    maskImage->LoadFromFile(name.ToStdString(), kAnyFormat);
    // A black-and-white mask is coded as its depth asks, like the picture;
    // the image's default coding takes no 1-bit picture.
    if (maskImage->HasImage() && maskImage->GetBitsPerPixel() == 1)
        maskImage->GetFileFormatSettings()->SelectPdfImageCoding();
    log.LogWrite("ok.", true);
}

CArrayString ReadIndexableText(const String& picturePath, CLogFile& log)
{
    const String name = SideFileName("%s%s.txt", picturePath);
    if (!FileExists(name.GetText())) {
        String line;
        line.Format("\tNo indexable text for pdf found '%s' ...", name.GetText());
        log.LogWrite(line.GetText(), true);
        return CArrayString();
    }
    std::vector<String> lines;
    ReadTextFileLines(name.GetText(), lines, true);
    std::vector<std::string> texts;
    for (const String& text : lines)
        texts.push_back(text.ToStdString());
    return CArrayString(texts);
}

void AddIndexableText(IZAVPdfDocumentSp* document, const CArrayString& lines, bool& courierOnPage)
{
    if (lines.GetSize() == 0)
        return;
    IZAVPdfDocumentPageWriterCpp* writer = document->GetPageWriter();
    // The page writer draws text only in a font of the page.
    if (!courierOnPage) {
        writer->AddFont(kTextFont, kTextFont);
        courierOnPage = true;
    }
    writer->AddTextBlock(lines, kTextFont, 0);
}

}  // namespace ZAV

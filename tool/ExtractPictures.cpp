// The extractpicture command: every picture of one page, or of all pages,
// written to files named after the document, the page and the picture's
// place on it. Stored JPEG and JPEG 2000 data is written byte for byte,
// every other picture saved as PNG. Each file appears whole or not at all.
#include <sys/stat.h>

#include <string>

#include "foundation/objects/ZAVCastSp.h"
#include "foundation/text/TextException.h"
#include "formats/registry/ImgFormat.h"
#include "tool/Commands.h"
#include "tool/DocumentLog.h"
#include "tool/ExtractPage.h"
#include "tool/ExtractPictures.h"
#include "tool/LibraryObjects.h"
#include "platform/files/AtomicFile.h"

namespace ZAV {

namespace {

constexpr mode_t kPictureFileMode = 0666;

void SaveDecodedPicture(IZAVObjectSp* picture, const String& fileName, int number, int pageNumber, CLogFile& log)
{
    String line;
    line.Format("Save picture %d of page %d to '%s' ... ", number, pageNumber, fileName.GetText());
    log.LogWrite(line.GetText(), false);
    CZAVPtr<IZAVImageEditSp> image(static_cast<IZAVImageEditSp*>(picture->QueryInterface(zaviidImageEdit)), true);
    // The image object writes beside the name and renames at the end.
    image->SaveToFile(fileName.ToStdString(), zavifPNG);
    log.LogWrite("Ok.", true);
}

void SaveRawPicture(IZAVArrayByteSp* bytes, const String& fileName, int number, int pageNumber, CLogFile& log)
{
    String line;
    line.Format("Save rawpicture %d of page %d to '%s' ... ", number, pageNumber, fileName.GetText());
    log.LogWrite(line.GetText(), false);
    CZAVPtr<IZAVObjectSp> object = bytes->GetObjectSp();
    const auto* data = static_cast<const CArraySimple<unsigned char, 1>*>(object->GetImplementation());
    const std::string content(reinterpret_cast<const char*>(data->GetData()), static_cast<size_t>(data->GetSize()));
    if (ReplaceFileAtomically(fileName.ToStdString(), content, kPictureFileMode) != 0) {
        line.Format("Error writing file '%s'!", fileName.GetText());
        ThrowTextException(line.GetText());
    }
    log.LogWrite("Ok.", true);
}

}  // namespace

int ExtractPagePictures(IZAVPdfPageSp* page, const std::string& outputName, const String& baseName, int pageNumber,
                        CLogFile& log)
{
    if (outputName.empty())
        ThrowTextException("No outputfile available!");
    const String folder = GetPathDirectory(String(outputName));
    CZAVPtr<IZAVCastSp> cast = CreateCastSp();
    CZAVPtr<IZAVArrayObjectSp> pictures = page->GetPictures(1);
    String line;
    if (pictures->GetSize() == 0) {
        line.Format("No supported pictures found on page %d!", pageNumber);
        log.LogWrite(line.GetText(), true);
        return 0;
    }
    int written = 0;
    for (int k = 1; k <= pictures->GetSize() / 2; ++k) {
        CZAVPtr<IZAVObjectSp> information = pictures->GetAt(2 * k - 2);
        CZAVPtr<IZAVObjectSp> picture = pictures->GetAt(2 * k - 1);
        // The list lets go of each picture as it is taken, so that one
        // written picture leaves memory before the next is written.
        pictures->SetAt(2 * k - 1, nullptr);
        CZAVPtr<IZAVNameValuePairsSp> values = cast->ToNameValuePairsSp(information.Get());
        String fileName;
        if (cast->IsImageEditSp(picture.Get())) {
            fileName.Format("%s%s_%d_%d.png", folder.GetText(), baseName.GetText(), pageNumber, k);
            SaveDecodedPicture(picture.Get(), fileName, k, pageNumber, log);
            ++written;
        } else if (cast->IsArrayByteSp(picture.Get())) {
            fileName.Format("%s%s_%d_%d.%s", folder.GetText(), baseName.GetText(), pageNumber, k,
                            values->GetValue("Extension").c_str());
            SaveRawPicture(cast->ToArrayByteSp(picture.Get()).Get(), fileName, k, pageNumber, log);
            ++written;
        }
    }
    return written;
}

namespace {

// A page that fails is logged and the next one follows; when pages failed
// and not one picture was written (an output folder that is missing or
// cannot be written), the command fails with the first page's text.
void ExtractAllPages(IZAVPdfDocumentSp* document, const std::string& outputName, const String& baseName, CLogFile& log)
{
    const int count = document->GetPageCount();
    int written = 0;
    String firstFailure;
    for (int i = 0; i < count; ++i) {
        try {
            CZAVPtr<IZAVPdfPageSp> page = document->GetPage(i);
            written += ExtractPagePictures(page.Get(), outputName, baseName, i + 1, log);
        } catch (const CTextException& e) {
            String line;
            line.Format("Can't extract pictures of page %d! %s", i + 1, e.GetText());
            log.LogWrite(line.GetText(), true);
            if (firstFailure.GetLength() == 0)
                firstFailure = line;
        }
    }
    if (written == 0 && firstFailure.GetLength() > 0)
        ThrowTextException(firstFailure.GetText());
}

void ExtractOnePage(IZAVPdfDocumentSp* document, int page, const std::string& outputName, const String& baseName,
                    CLogFile& log)
{
    try {
        CheckPage(document, page);
        CZAVPtr<IZAVPdfPageSp> pageObject = document->GetPage(page - 1);
        ExtractPagePictures(pageObject.Get(), outputName, baseName, page, log);
    } catch (const CTextException& e) {
        String text;
        text.Format("Can't extract pictures of page %d! %s", page, e.GetText());
        ThrowTextException(text.GetText());
    }
}

}  // namespace

void ExtractPictures(const std::string& pdfName, int page, const std::string& outputName, CLogFile& log)
{
    String line;
    log.LogWriteEmptyLine();
    if (page == -1)
        line.Format("Extracting all pictures of all pages from '%s' to '%s'", pdfName.c_str(), outputName.c_str());
    else
        line.Format("Extracting all pictures of Page %d from '%s' to '%s'", page, pdfName.c_str(), outputName.c_str());
    log.LogWrite(line.GetText(), true);
    log.LogWriteEmptyLine();

    const String baseName = GetPathFileName(String(pdfName), true);
    // Not used further: making it binds both plug-ins, so a missing one
    // ends the command before anything is written.
    CZAVPtr<IZAVImageEditSp> imageEdit = CreateImageEdit();
    CZAVPtr<IZAVPdfDocumentSp> document = CreatePdfDocument(log);

    LoadLogged(document.Get(), pdfName, log);
    LogDocumentSummary(document.Get(), log);

    if (page < 0)
        ExtractAllPages(document.Get(), outputName, baseName, log);
    else
        ExtractOnePage(document.Get(), page, outputName, baseName, log);
    document.Reset();
    imageEdit.Reset();
}

}  // namespace ZAV

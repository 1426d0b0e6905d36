// createlayeredpdf: one page on which every picture lies in an optional-
// content layer named after its file; a picture that fails is logged and
// leaves nothing on the page.
#include "tool/Commands.h"

#include "interfaces/pagewriter/ZAVPdfDocumentPageWriter.h"
#include "tool/LibraryObjects.h"
#include "tool/PictureCommandSteps.h"
#include "tool/PictureSideFiles.h"

#include <set>

namespace ZAV {

namespace {

struct CLayeredPage {
    IZAVPdfDocumentSp* document;
    // The names placed so far, as the page writer compares them.
    std::set<std::string> names;
    bool courierOnPage = false;
};

void CheckNameFree(const CLayeredPage& page, const std::string& name)
{
    const std::string normalised = CZAVPdfDocumentPageWriter::NormaliseName(name);
    if (page.names.count(normalised) != 0) {
        String text;
        text.Format("Image '%s' already available. Please use a different name!", normalised.c_str());
        ThrowTextException(text.GetText());
    }
}

// Adds the picture's layer; false when the file held no picture. What can
// fail is done before anything of the picture is added to the page.
bool AddPictureLayer(CLayeredPage& page, const String& file, int index, CLogFile& log, int quality, int layers)
{
    CZAVPtr<IZAVImageEditSp> picture = CreateImageEdit();
    CZAVPtr<IZAVImageEditSp> mask = CreateImageEdit();
    const std::string baseName = GetPathFileName(file, true).ToStdString();
    if (!LoadPicture(picture.Get(), file, log))
        return false;
    SelectPictureCoding(picture.Get(), quality, layers);
    FindMaskFile(file, mask.Get(), log);
    const CArrayString lines = ReadIndexableText(file, log);
    CheckNameFree(page, baseName);
    String maskName;
    maskName.Format("Mask%d", index);
    if (mask->HasImage())
        CheckNameFree(page, maskName.ToStdString());

    IZAVPdfDocumentPageWriterCpp* writer = page.document->GetPageWriter();
    const _PdfRect rect = writer->GetImageRect(picture.Get());
    if (mask->HasImage()) {
        writer->AddMask(&rect, maskName.ToStdString(), mask.Get());
        page.names.insert(CZAVPdfDocumentPageWriter::NormaliseName(maskName.ToStdString()));
        writer->AddImageToLayerWithMask(&rect, baseName, baseName, picture.Get(), maskName.ToStdString());
    } else {
        writer->AddImageToLayer(&rect, baseName, baseName, picture.Get());
    }
    page.names.insert(CZAVPdfDocumentPageWriter::NormaliseName(baseName));
    AddIndexableText(page.document, lines, page.courierOnPage);
    return true;
}

}  // namespace

void CreateLayeredPdf(const std::string& pdfName, const std::string& inputName, const std::string& fileMask,
                      CLogFile& log, int jpeg2000Quality, int jpeg2000Layers)
{
    CPictureCommand command = StartPictureCommand(pdfName, inputName, fileMask, log);
    IZAVPdfDocumentPageWriterCpp* writer = command.document->GetPageWriter();
    writer->ResetPage();
    CLayeredPage page;
    page.document = command.document.Get();
    const int pictures = ForEachPicture(command.files, log, [&](const String& file, int index) {
        return AddPictureLayer(page, file, index, log, jpeg2000Quality, jpeg2000Layers);
    });
    if (pictures > 0)
        writer->WritePage();
    SavePictureDocument(command.document.Get(), command.outputName, pictures, log);
}

}  // namespace ZAV

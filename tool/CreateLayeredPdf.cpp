// createlayeredpdf: one page on which every picture lies in an optional-
// content layer named after its file; a picture that fails is logged and
// leaves nothing on the page.
#include "tool/Commands.h"

#include "interfaces/pagewriter/ZAVPdfDocumentPageWriter.h"
#include "tool/LibraryObjects.h"
#include "tool/OutputNames.h"
#include "tool/PictureCommandSteps.h"
#include "tool/PictureSideFiles.h"

#include <set>
#include <vector>

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
    std::vector<String> files;
    CollectInputFiles(String(inputName), String(fileMask), files);
    const String outputName = MakeOutputName(String(pdfName));
    // Made first so that both plug-ins are bound before anything is read.
    CZAVPtr<IZAVImageEditSp> binder = CreateImageEdit();
    CZAVPtr<IZAVPdfDocumentSp> document = CreatePdfDocument(log);
    document->GetPageWriter()->ResetPage();
    CLayeredPage page;
    page.document = document.Get();
    int pictures = 0;
    for (size_t i = 0; i < files.size(); ++i) {
        try {
            if (AddPictureLayer(page, files[i], static_cast<int>(i), log, jpeg2000Quality, jpeg2000Layers))
                ++pictures;
        } catch (const CTextException& failure) {
            LogPictureFailure(log, files[i], failure);
        }
    }
    if (pictures > 0)
        document->GetPageWriter()->WritePage();
    SavePictureDocument(document.Get(), outputName, pictures, log);
}

}  // namespace ZAV

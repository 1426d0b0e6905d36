// createfromimagefiles: one page per picture, each with its mask and text
// side files; a picture that fails is logged and skipped.
#include "tool/Commands.h"

#include "tool/LibraryObjects.h"
#include "tool/PictureCommandSteps.h"
#include "tool/PictureSideFiles.h"

namespace ZAV {

namespace {

struct CPictureObjects {
    IZAVPdfDocumentSp* document;
    IZAVImageEditSp* picture;
    IZAVImageEditSp* mask;
};

// One page for the picture at index; false when the file held no picture.
bool AddPicturePage(const CPictureObjects& objects, const String& file, int index, CLogFile& log, int quality,
                    int layers)
{
    objects.mask->Clear();
    objects.picture->Clear();
    if (!LoadPicture(objects.picture, file, log))
        return false;
    SelectPictureCoding(objects.picture, quality, layers);
    String imageName;
    imageName.Format("Main%d", index);
    IZAVPdfDocumentPageWriterCpp* writer = objects.document->GetPageWriter();
    writer->ResetPage();
    FindMaskFile(file, objects.mask, log);
    // All zeros: the picture at its own size.
    const _PdfRect natural = {0, 0, 0, 0};
    if (objects.mask->HasImage()) {
        String maskName;
        maskName.Format("Mask%d", index);
        const _PdfRect pictureRect = writer->GetImageRect(objects.picture);
        writer->AddMask(&pictureRect, maskName.ToStdString(), objects.mask);
        writer->AddImageWithMask(&natural, imageName.ToStdString(), objects.picture, maskName.ToStdString());
    } else {
        writer->AddImage(&natural, imageName.ToStdString(), objects.picture);
    }
    bool courierOnPage = false;
    AddIndexableText(objects.document, ReadIndexableText(file, log), courierOnPage);
    writer->WritePage();
    return true;
}

}  // namespace

void CreateFromImageFiles(const std::string& pdfName, const std::string& inputName, const std::string& fileMask,
                          CLogFile& log, int jpeg2000Quality, int jpeg2000Layers)
{
    CPictureCommand command = StartPictureCommand(pdfName, inputName, fileMask, log);
    CZAVPtr<IZAVImageEditSp> picture = CreateImageEdit();
    CZAVPtr<IZAVImageEditSp> mask = CreateImageEdit();
    const CPictureObjects objects = {command.document.Get(), picture.Get(), mask.Get()};
    const int pages = ForEachPicture(command.files, log, [&](const String& file, int index) {
        return AddPicturePage(objects, file, index, log, jpeg2000Quality, jpeg2000Layers);
    });
    SavePictureDocument(command.document.Get(), command.outputName, pages, log);
}

}  // namespace ZAV

#include "tool/PictureCommandSteps.h"

#include "tool/LibraryObjects.h"
#include "tool/OutputNames.h"

namespace ZAV {

namespace {

// Lets the image object find the format from the file.
constexpr int kAnyFormat = 255;
// The JPEG 2000 settings the commands give every picture: the integers
// 1, layers, 99 and six zeros, the rate, no bit rate and no target size.
constexpr int kJpeg2000First = 1;
constexpr int kJpeg2000Third = 99;

}  // namespace

void SelectPictureCoding(IZAVImageEditSp* picture, int jpeg2000Quality, int jpeg2000Layers)
{
    IZAVImageEditFileFormatSettingsCpp* settings = picture->GetFileFormatSettings();
    settings->SelectPdfImageCoding();
    settings->SetJpeg2000Settings(kJpeg2000First, jpeg2000Layers, kJpeg2000Third, 0, 0, 0, 0, 0, 0, jpeg2000Quality,
                                  0.0, 0);
}

CPictureCommand StartPictureCommand(const std::string& pdfName, const std::string& inputName,
                                    const std::string& fileMask, CLogFile& log)
{
    CPictureCommand command;
    CollectInputFiles(String(inputName), String(fileMask), command.files);
    // Without a document name the output is named after the input, so it
    // lands inside the folder or beside the file instead of as ".pdf" in
    // the current folder.
    command.outputName = MakeOutputName(String(pdfName.empty() ? inputName : pdfName));
    command.binder = CreateImageEdit();
    command.document = CreatePdfDocument(log);
    return command;
}

int ForEachPicture(const std::vector<String>& files, CLogFile& log,
                   const std::function<bool(const String& file, int index)>& step)
{
    int done = 0;
    for (size_t i = 0; i < files.size(); ++i) {
        try {
            if (step(files[i], static_cast<int>(i)))
                ++done;
        } catch (const CTextException& failure) {
            String line;
            line.Format("Can't process imagefile '%s'! %s", files[i].GetText(), failure.GetText());
            log.LogWrite(line.GetText(), true);
        }
    }
    return done;
}

bool LoadPicture(IZAVImageEditSp* picture, const String& file, CLogFile& log)
{
    String line;
    line.Format("\tLoading '%s' ...", file.GetText());
    log.LogWrite(line.GetText(), false);
    picture->LoadFromFile(file.ToStdString(), kAnyFormat);
    log.LogWrite("ok.", true);
    return picture->HasImage() != 0;
}

void SavePictureDocument(IZAVPdfDocumentSp* document, const String& outputName, int pictureCount, CLogFile& log)
{
    // Nothing saved is a failed command; the entry logs the text.
    if (pictureCount == 0)
        ThrowTextException("No content to save ");
    String line;
    line.Format("Save PDF to '%s' ...", outputName.GetText());
    log.LogWrite(line.GetText(), false);
    document->Save(outputName.ToStdString());
    log.LogWrite("ok.", true);
}

}  // namespace ZAV

#include "tool/ExtractPage.h"

#include "foundation/files/FileUtils.h"
#include "foundation/text/TextException.h"
#include "tool/Commands.h"
#include "tool/LibraryObjects.h"
#include "tool/OutputNames.h"

namespace ZAV {

void CheckPage(IZAVPdfDocumentSp* document, int page)
{
    const int count = document->GetPageCount();
    if (page == 0 || page > count) {
        String text;
        text.Format("Invalid page '%d'. Use values from 1 to %d or -1 for all pages.", page, count);
        ThrowTextException(text.GetText());
    }
}

void ExtractPage(const std::string& pdfName, int page, const std::string& outputName, CLogFile& log)
{
    String line;
    log.LogWriteEmptyLine();
    line.Format("Extracting Page %d from '%s' to '%s'", page, pdfName.c_str(), outputName.c_str());
    log.LogWrite(line.GetText(), true);
    log.LogWriteEmptyLine();

    // Looked up without opening it: the document object opens it once.
    if (!IsExistingFile(pdfName)) {
        line.Format("File '%s' not found!", pdfName.c_str());
        ThrowTextException(line.GetText());
    }
    // An empty name would make a file called ".pdf" in the current folder.
    if (outputName.empty())
        ThrowTextException("No outputfile available!");

    CZAVPtr<IZAVPdfDocumentSp> source = CreatePdfDocument(log);
    CZAVPtr<IZAVPdfDocumentSp> target = CreatePdfDocument(log);

    line.Format("Loading PDF '%s'", pdfName.c_str());
    log.LogWrite(line.GetText(), false);
    source->Load(pdfName);
    log.LogWrite("ok.", true);

    if (page <= 0)
        ThrowTextException("Pagenumber has to be greater than 0!");
    if (source->GetPageCount() == 0)
        ThrowTextException("The document has no pages!");
    CheckPage(source.Get(), page);
    {
        CZAVPtr<IZAVPdfPageSp> pageObject = source->GetPage(page - 1);
        target->AddPage(pageObject.Get());
    }

    const String fileName = MakeOutputName(String(outputName));
    line.Format("Save PDF to '%s' ...", fileName.GetText());
    log.LogWrite(line.GetText(), false);
    target->Save(fileName.ToStdString());
    log.LogWrite("ok.", true);

    target.Reset();
    source.Reset();
}

}  // namespace ZAV

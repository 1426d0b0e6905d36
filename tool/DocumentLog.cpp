#include "tool/DocumentLog.h"

#include "foundation/text/String.h"

namespace ZAV {

void LoadLogged(IZAVPdfDocumentSp* document, const std::string& documentName, CLogFile& log)
{
    String line;
    line.Format("Loading PDF '%s'", documentName.c_str());
    log.LogWrite(line.GetText(), false);
    document->Load(documentName);
    log.LogWrite("ok.", true);
}

void LogDocumentSummary(IZAVPdfDocumentSp* document, CLogFile& log)
{
    String line;
    line.Format("%s:", document->GetFileName().c_str());
    log.LogWrite(line.GetText(), true);
    IZAVPdfDocumentInfoCpp* info = document->GetDocumentInfo();
    const struct {
        const char* label;
        std::string value;
    } entries[] = {
        {"Title", info->GetTitle()},
        {"SavedBy", info->GetSavedBy()},
        {"Producer", info->GetProducer()},
        {"PdfVersion", info->GetPdfVersion()},
        {"ModDate", info->GetModDate()},
        {"Creator", info->GetCreator()},
        {"CreationDate", info->GetCreationDate()},
    };
    for (const auto& entry : entries) {
        if (entry.value.empty())
            continue;
        line.Format("\t%s - '%s'", entry.label, entry.value.c_str());
        log.LogWrite(line.GetText(), true);
    }
    line.Format("Pages: %d", document->GetPageCount());
    log.LogWrite(line.GetText(), true);
}

}  // namespace ZAV

#include "interfaces/ZAVPdfDocumentInfo.h"

#include "interfaces/ZAVPdfDocument.h"
#include "pdf/document/PDFDocument.h"

namespace ZAV {

ZAVPDF::CPDFInfo& CZAVPdfDocumentInfo::Info()
{
    // Always the document loaded last.
    return m_owner->GetDocument()->GetInfo();
}

std::string CZAVPdfDocumentInfo::GetPdfVersion()
{
    return Info().GetVersion();
}
void CZAVPdfDocumentInfo::SetPdfVersion(const std::string& text)
{
    Info().SetVersion(text);
}
std::string CZAVPdfDocumentInfo::GetTitle()
{
    return Info().GetTitle();
}
void CZAVPdfDocumentInfo::SetTitle(const std::string& text)
{
    Info().SetTitle(text);
}
std::string CZAVPdfDocumentInfo::GetCreator()
{
    return Info().GetCreator();
}
void CZAVPdfDocumentInfo::SetCreator(const std::string& text)
{
    Info().SetCreator(text);
}
std::string CZAVPdfDocumentInfo::GetProducer()
{
    return Info().GetProducer();
}
void CZAVPdfDocumentInfo::SetProducer(const std::string& text)
{
    Info().SetProducer(text);
}
std::string CZAVPdfDocumentInfo::GetSavedBy()
{
    return Info().GetText5();
}
void CZAVPdfDocumentInfo::SetSavedBy(const std::string& text)
{
    Info().SetText5(text);
}
std::string CZAVPdfDocumentInfo::GetCreationDate()
{
    return Info().GetCreationDate();
}
void CZAVPdfDocumentInfo::SetCreationDate(const std::string& text)
{
    Info().SetCreationDate(text);
}
std::string CZAVPdfDocumentInfo::GetModDate()
{
    return Info().GetModDate();
}
void CZAVPdfDocumentInfo::SetModDate(const std::string& text)
{
    Info().SetModDate(text);
}

}  // namespace ZAV

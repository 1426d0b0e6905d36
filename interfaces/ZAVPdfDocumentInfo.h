// The document information facet of the PDF document object: the texts of
// the information record of the document the object holds now, and the
// object's own layer configuration name.
#pragma once

#include "interfaces/ZAVPdfInterfaces.h"

#include <string>

namespace ZAVPDF {
class CPDFInfo;
}

namespace ZAV {

class CZAVPdfDocument;

class CZAVPdfDocumentInfo final : public IZAVPdfDocumentInfoCpp {
public:
    explicit CZAVPdfDocumentInfo(CZAVPdfDocument* owner) : m_owner(owner) {}
    ~CZAVPdfDocumentInfo() = default;
    CZAVPdfDocumentInfo(const CZAVPdfDocumentInfo&) = delete;
    CZAVPdfDocumentInfo& operator=(const CZAVPdfDocumentInfo&) = delete;

    std::string GetPdfVersion() override;
    void SetPdfVersion(const std::string& text) override;
    std::string GetTitle() override;
    void SetTitle(const std::string& text) override;
    std::string GetCreator() override;
    void SetCreator(const std::string& text) override;
    std::string GetProducer() override;
    void SetProducer(const std::string& text) override;
    std::string GetSavedBy() override;
    void SetSavedBy(const std::string& text) override;
    std::string GetCreationDate() override;
    void SetCreationDate(const std::string& text) override;
    std::string GetModDate() override;
    void SetModDate(const std::string& text) override;
    std::string GetLayersName() override { return m_layersName; }
    void SetLayersName(const std::string& text) override { m_layersName = text; }

private:
    ZAVPDF::CPDFInfo& Info();

    CZAVPdfDocument* m_owner;
    std::string m_layersName = "Layers";
};

}  // namespace ZAV

// The PDF document object (interface id 104): opens, copies, builds and
// saves one PDF document through the PDF object model.
#pragma once

#include "foundation/objects/ZAVObjectSpImpl.h"
#include "foundation/objects/ZAVRefCountBase.h"
#include "interfaces/ZAVPdfDocument.h"
#include "interfaces/ZAVPdfInterfaces.h"

namespace ZAV {

template <class T>
class IZAVPdfDocumentSpImpl : public TZAVSpView<T, IZAVPdfDocumentSp> {
public:
    CZAVPtr<IZAVObjectSp> GetObjectSp() override { return this->SpObject()->InternalGetObjectSp(); }
    IZAVPdfDocumentPageWriterCpp* GetPageWriter() override { return State().GetPageWriter(); }
    IZAVPdfDocumentInfoCpp* GetDocumentInfo() override { return State().GetDocumentInfo(); }
    std::string GetLogFileName() override { return State().GetLogFileName(); }
    void SetLogFileName(const std::string& name) override { State().SetLogFileName(name); }
    void SetJbig2PluginPath(const std::string& path) override { State().SetJbig2PluginPath(path); }
    std::string GetJbig2PluginPath() override { return State().GetJbig2PluginPath(); }
    void SetJpeg2000PluginPath(const std::string& path) override { State().SetJpeg2000PluginPath(path); }
    std::string GetJpeg2000PluginPath() override { return State().GetJpeg2000PluginPath(); }
    std::string GetFileName() override { return State().GetFileName(); }
    int GetDocumentOption() override { return State().GetDocumentOption(); }
    int SetDocumentOption(int option) override { return State().SetDocumentOption(option); }
    void Load(const std::string& fileName) override { State().Load(fileName); }
    void Save(const std::string& fileName) override { State().Save(fileName); }
    void AppendPageToFile(const std::string& fileName, IZAVPdfPageSp* page) override;
    void AppendDocumentPageToFile(const std::string& fileName) override { State().AppendDocumentPageToFile(fileName); }
    void AddPage(IZAVPdfPageSp* page) override;
    void RemovePage(int index) override { State().RemovePage(index); }
    int AddSingleImage(IZAVImageEditSp* image) override
    {
        State().GetPageWriter()->AddImageAsPage(image);
        return 1;
    }
    int GetPageCount() override { return State().GetPageCount(); }
    CZAVPtr<IZAVPdfPageSp> GetPage(int index) override { return State().GetPage(index); }

protected:
    ~IZAVPdfDocumentSpImpl() = default;

private:
    static const CZAVPdfPage& PageRecord(IZAVPdfPageSp* page, CZAVPtr<IZAVObjectSp>& view);
    CZAVPdfDocument& State() { return *static_cast<CZAVPdfDocument*>(this->SpObject()->GetPayload()); }
};

class CZAVPdfDocumentSp final : public CZAVRefCountBase<CZAVPdfDocumentSp>,
                                public IZAVObjectSpImpl<CZAVPdfDocumentSp>,
                                public IZAVPdfDocumentSpImpl<CZAVPdfDocumentSp> {
public:
    CZAVPdfDocumentSp() = default;

    void* GetInterfaceView(int32_t id);
    // The object view's implementation: the document state, through which
    // GetDocument reaches the document of the PDF object model.
    void* GetPayload() { return &m_state; }

private:
    friend class CZAVRefCountBase<CZAVPdfDocumentSp>;
    ~CZAVPdfDocumentSp() = default;

    CZAVPdfDocument m_state;
};

// A new document object holding an empty document; the holder owns its
// only reference.
CZAVPtr<IZAVPdfDocumentSp> CreatePdfDocumentSp();

}  // namespace ZAV

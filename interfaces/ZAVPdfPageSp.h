// The page object (interface id 103) a PDF document object hands out.
#pragma once

#include "foundation/objects/ZAVObjectSpImpl.h"
#include "foundation/objects/ZAVRefCountBase.h"
#include "interfaces/ZAVPdfInterfaces.h"
#include "interfaces/ZAVPdfPage.h"

namespace ZAV {

template <class T>
class IZAVPdfPageSpImpl : public TZAVSpView<T, IZAVPdfPageSp> {
public:
    CZAVPtr<IZAVObjectSp> GetObjectSp() override { return this->SpObject()->InternalGetObjectSp(); }
    CZAVPtr<IZAVArrayObjectSp> GetPictures(int rawJpeg) override
    {
        return static_cast<CZAVPdfPage*>(this->SpObject()->GetPayload())->GetPictures(rawJpeg);
    }
    CZAVPtr<IZAVArrayByteSp> GetContentData(int decode) override
    {
        return CreateArrayByteSp(
            static_cast<CZAVPdfPage*>(this->SpObject()->GetPayload())->GetContentData(decode != 0));
    }

protected:
    ~IZAVPdfPageSpImpl() = default;
};

class CZAVPdfPageSp final : public CZAVRefCountBase<CZAVPdfPageSp>,
                            public IZAVObjectSpImpl<CZAVPdfPageSp>,
                            public IZAVPdfPageSpImpl<CZAVPdfPageSp> {
public:
    explicit CZAVPdfPageSp(const CZAVPdfPage& page) : m_page(page) {}

    void* GetInterfaceView(int32_t id);
    // The object view's implementation: the page record.
    void* GetPayload() { return &m_page; }

private:
    friend class CZAVRefCountBase<CZAVPdfPageSp>;
    ~CZAVPdfPageSp() = default;

    CZAVPdfPage m_page;
};

// A new page object over the record; the holder owns its only reference.
CZAVPtr<IZAVPdfPageSp> CreatePdfPageSp(const CZAVPdfPage& page);

}  // namespace ZAV

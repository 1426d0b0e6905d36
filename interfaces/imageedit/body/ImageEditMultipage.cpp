// Saving the images of a list of image-edit objects as the pages of one
// file.
#include <algorithm>
#include <vector>

#include "foundation/text/TextException.h"
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/body/ImageFileSupport.h"

namespace ZAV {

namespace {

// The listed objects, held while their images are saved. An empty list, a
// null element or one that is no image-edit object is refused: the image's
// multipage save needs at least one image.
class CListedImages {
public:
    explicit CListedImages(IZAVArrayObjectSp* list)
    {
        const int32_t count = list ? list->GetSize() : 0;
        if (count <= 0)
            ThrowTextException("Invalid Parameter!");
        for (int32_t i = 0; i < count; ++i)
            Add(list->GetAt(i));
    }

    CZAVImg** Images() { return m_images.data(); }
    int Count() const { return static_cast<int>(m_images.size()); }
    const std::vector<CZAVPtr<IZAVObjectSp>>& Objects() const { return m_objects; }

private:
    void Add(CZAVPtr<IZAVObjectSp> object)
    {
        if (!object || !object->SupportsInterface(zaviidImageEdit))
            ThrowTextException("Invalid Parameter!");
        auto* edit = static_cast<CZAVImageEdit*>(object->GetImplementation());
        m_images.push_back(&edit->GetImage());
        m_objects.push_back(std::move(object));
    }

    std::vector<CZAVPtr<IZAVObjectSp>> m_objects;
    std::vector<CZAVImg*> m_images;
};

}  // namespace

void CZAVImageEdit::SaveMultipageToFile(IZAVArrayObjectSp* list, const std::string& fileName, int format, int flag)
{
    BeginSave();
    CListedImages images(list);
    int64_t bytes = 0;
    m_image.SaveMultipageToFile(fileName.c_str(), images.Images(), images.Count(), format, flag, &bytes);
    FinishSave(bytes);
}

void CZAVImageEdit::SaveMultipageToMem(IZAVArrayObjectSp* list, void* data, int size, int format)
{
    // Reset like every other save, so a failure leaves no stale count that
    // SaveMultipageToArray would take for bytes written.
    BeginSave();
    CListedImages images(list);
    int64_t bytes = 0;
    ZAV::SaveMultipageToMem(m_image, images.Images(), images.Count(), data, size, format, &bytes);
    FinishSave(bytes);
}

void CZAVImageEdit::SaveMultipageToArray(IZAVArrayObjectSp* list, CZAVByteArray& data, int format)
{
    data.RemoveAll();
    int64_t size = 0;
    {
        CListedImages images(list);
        for (CZAVImg* image : std::vector<CZAVImg*>(images.Images(), images.Images() + images.Count()))
            size += image->GetSaveBufferSize();
    }
    if (size > INT32_MAX)
        ThrowTextException("Invalid Image Size!");
    std::vector<uint8_t> buffer(static_cast<size_t>(size));
    SaveMultipageToMem(list, buffer.data(), static_cast<int>(size), format);
    if (m_lastSaveResult > 0)
        data.SetData(buffer.data(), static_cast<int32_t>(std::min<int64_t>(m_lastSaveResult, size)));
}

CZAVPtr<IZAVArrayByteSp> CZAVImageEdit::SaveMultipageToByteArray(IZAVArrayObjectSp* list, int format)
{
    CZAVByteArray bytes;
    SaveMultipageToArray(list, bytes, format);
    return CreateArrayByteSp(bytes);
}

}  // namespace ZAV

// Values the object stores and hands back, the image-information list and
// the advanced image-processing object.
#include <algorithm>

#include "foundation/text/TextException.h"
#include "interfaces/imageedit/ZAVImageEdit.h"

namespace ZAV {

int CZAVImageEdit::GetImageWord()
{
    return m_image.m_spareSwitch;
}

int CZAVImageEdit::GetImageWord2()
{
    return m_image.m_spareWords[0];
}

int CZAVImageEdit::SetImageWord2(int value)
{
    return m_image.m_spareWords[0] = value;
}

int CZAVImageEdit::GetImageWord3()
{
    return m_image.m_spareWords[1];
}

void CZAVImageEdit::SetImageWord3(int value)
{
    m_image.m_spareWords[1] = value;
}

int CZAVImageEdit::GetImageOption1()
{
    return m_image.m_fastThumb[0];
}

int CZAVImageEdit::SetImageOption1(int value)
{
    return m_image.m_fastThumb[0] = value;
}

int CZAVImageEdit::GetImageOption2()
{
    return m_image.m_fastThumb[1];
}

int CZAVImageEdit::SetImageOption2(int value)
{
    return m_image.m_fastThumb[1] = value;
}

int CZAVImageEdit::GetImageOption3()
{
    return m_image.m_fastThumb[2];
}

int CZAVImageEdit::SetImageOption3(int value)
{
    return m_image.m_fastThumb[2] = value;
}

int CZAVImageEdit::GetUserData()
{
    return m_userData;
}

int CZAVImageEdit::SetUserData(int value)
{
    return m_userData = value;
}

int CZAVImageEdit::GetUseAdvancedImgProc()
{
    return m_image.GetUseAdvancedImgProc();
}

void CZAVImageEdit::SetUseAdvancedImgProc(int use)
{
    m_image.SetUseAdvancedImgProc(use);
}

std::string CZAVImageEdit::GetImageText()
{
    return m_image.m_spareTexts[0].GetText();
}

CNameVariantPairs* CZAVImageEdit::GetImageInfoList()
{
    return m_image.GetImageInfoList();
}

void CZAVImageEdit::SetImageInfoList(CNameVariantPairs* list)
{
    m_image.SetImageInfoList(list);
}

CZAVPtr<IZAVNameVariantPairsSp> CZAVImageEdit::GetImageInfo()
{
    const CNameVariantPairs* list = m_image.GetImageInfoList();
    if (!list)
        return CZAVPtr<IZAVNameVariantPairsSp>();
    return CreateNameVariantPairsSp(*list);
}

CZAVPtr<IZAVAdvancedImgProcSp> CZAVImageEdit::CreateAdvancedImgProc()
{
    if (m_advancedImgProc.IsEmpty())
        m_advancedImgProc = CreateAdvancedImgProcSpForImage(GetImageEditSp().Get());
    else
        m_advancedImgProc->AttachImageEdit();
    // A copy of the holder is the caller's own reference.
    return m_advancedImgProc;
}

void CZAVImageEdit::AddAdvancedObject(CZAVAdvancedImgProc* object)
{
    m_advancedObjects.push_back(object);
}

void CZAVImageEdit::RemoveAdvancedObject(CZAVAdvancedImgProc* object)
{
    m_advancedObjects.erase(std::remove(m_advancedObjects.begin(), m_advancedObjects.end(), object),
                            m_advancedObjects.end());
}

}  // namespace ZAV

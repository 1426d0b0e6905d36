#include "foundation/text/TextException.h"
#include "image/blend/BlendModes.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

int CZAVImg::BlendModeFromPsdKey(const std::string& key)
{
    m_errorText = String();
    const int mode = FindPsdBlendMode(key);
    if (mode < 0)
        ThrowTextException(kTextUnsupportedPsdBlendMode);
    return mode;
}

void CZAVImg::GetBlendTable(BYTE*& table)
{
    const int slot = BlendTableSlot(m_overlayBlendMode);
    if (slot < 0)
        return;
    table = GetOrBuildBlendTable(m_blendTables[slot], BlendFunctionOfSlot(slot));
}

BYTE* CZAVImg::GetOrBuildBlendTable(BYTE*& table, BlendFunction function)
{
    if (!table)
        BuildBlendTable(table, function);
    return table;
}

void CZAVImg::BuildBlendTable(BYTE*& table, BlendFunction function)
{
    // The new table is made first, so a refused allocation keeps the old one.
    BYTE* built = new BYTE[kBlendTableBytes];
    FillBlendTable(built, function);
    delete[] table;
    table = built;
}

}  // namespace ZAV

#include "foundation/objects/ZAVNameValuePairsSp.h"

#include "foundation/text/String.h"
#include "foundation/text/TextException.h"

namespace ZAV {

void CheckKeyIndex(int32_t index, int32_t count)
{
    if (index >= 0 && index < count)
        return;
    String text;
    text.Format("Invalid key index '%d' (set of %d keys)!", index, count);
    ThrowTextException(text.GetText());
}

void* CZAVNameValuePairsSp::GetInterfaceView(int32_t id)
{
    if (id == zaviidObject)
        return static_cast<IZAVObjectSp*>(this);
    if (id == zaviidNameValuePairs)
        return static_cast<IZAVNameValuePairsSp*>(this);
    return nullptr;
}

CZAVPtr<IZAVNameValuePairsSp> CreateNameValuePairsSp()
{
    return QueryInterfaceSp<IZAVNameValuePairsSp>(static_cast<IZAVNameValuePairsSp*>(new CZAVNameValuePairsSp()));
}

}  // namespace ZAV

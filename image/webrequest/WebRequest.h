// The request object a caller hands to CZAVImg::LoadFromWebRequest: an
// interface object that fetches the bytes of one URL however it likes.
// Its failures are thrown as CTextException.
#pragma once

#include <string>

#include "foundation/containers/ArraySimple.h"
#include "foundation/objects/ZAVInterfaces.h"
#include "platform/WinTypes.h"

namespace ZAV {

class IZAVWebRequestSp : public IZAVUnknownSp {
public:
    virtual void SetUrl(const std::string& url) = 0;
    virtual void Execute() = 0;
    // The bytes the last Execute fetched.
    virtual void GetResponse(CArraySimple<BYTE, 1>& bytes) = 0;

protected:
    ~IZAVWebRequestSp() = default;
};

}  // namespace ZAV

#include "foundation/objects/ZAVArrayByteSp.h"

#include <limits>

#include "foundation/files/FileUtils.h"

namespace ZAV {

bool SaveBytesToFile(const CArraySimple<unsigned char, 1>& bytes, const std::string& path)
{
    const size_t size = bytes.GetSize() > 0 ? static_cast<size_t>(bytes.GetSize()) : 0;
    return WriteBufferToFile(bytes.GetData(), size, path.c_str());
}

void LoadBytesFromFile(CArraySimple<unsigned char, 1>& bytes, const std::string& path)
{
    bytes.RemoveAll();
    unsigned char* buffer = nullptr;
    size_t size = 0;
    if (!ReadFileToBuffer(path.c_str(), buffer, size))
        return;
    // A byte array counts in 32 bits; a larger file leaves it empty.
    if (size > 0 && size <= static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
        bytes.Attach(buffer, static_cast<int32_t>(size));
        return;
    }
    delete[] buffer;
}

void* CZAVArrayByteSp::GetInterfaceView(int32_t id)
{
    if (id == zaviidObject)
        return static_cast<IZAVObjectSp*>(this);
    if (id == zaviidArrayByte)
        return static_cast<IZAVArrayByteSp*>(this);
    return nullptr;
}

CZAVPtr<IZAVArrayByteSp> CreateArrayByteSp()
{
    return QueryInterfaceSp<IZAVArrayByteSp>(static_cast<IZAVArrayByteSp*>(new CZAVArrayByteSp()));
}

CZAVPtr<IZAVArrayByteSp> CreateArrayByteSp(const CArraySimple<unsigned char, 1>& bytes)
{
    return QueryInterfaceSp<IZAVArrayByteSp>(static_cast<IZAVArrayByteSp*>(new CZAVArrayByteSp(bytes)));
}

CZAVPtr<IZAVArrayByteSp> CreateArrayByteSp(CArraySimple<unsigned char, 1>&& bytes)
{
    return QueryInterfaceSp<IZAVArrayByteSp>(static_cast<IZAVArrayByteSp*>(new CZAVArrayByteSp(std::move(bytes))));
}

}  // namespace ZAV

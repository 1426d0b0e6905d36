// The byte-array value object behind IZAVArrayByteSp, which can also save
// its bytes to a file and load them from one.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "foundation/containers/ArraySimple.h"
#include "foundation/objects/ZAVArraySpImpl.h"
#include "foundation/objects/ZAVInterfaces.h"
#include "foundation/objects/ZAVObjectSpImpl.h"
#include "foundation/objects/ZAVPtr.h"
#include "foundation/objects/ZAVRefCountBase.h"

namespace ZAV {

class IZAVArrayByteSp : public IZAVUnknownSp, public IZAVQueryInterfaceSp {
public:
    static constexpr int32_t kInterfaceId = zaviidArrayByte;

    virtual CZAVPtr<IZAVObjectSp> GetObjectSp() = 0;
    // An index outside 0 .. GetSize() - 1 is refused with a CTextException.
    virtual unsigned char GetAt(int32_t index) = 0;
    virtual void SetAt(int32_t index, unsigned char value) = 0;
    virtual int32_t GetSize() = 0;
    // Discards every element and makes room for size new ones.
    virtual void SetSize(int32_t size) = 0;
    // Same count and equal elements in order; two empty arrays are equal.
    virtual bool IsEqual(const CArraySimple<unsigned char, 1>& other) = 0;
    // True when the file was written with every byte.
    virtual bool SaveToFile(const std::string& path) = 0;
    // The array becomes the file's bytes; a file that is missing, unreadable
    // or empty leaves it empty, and nothing is reported.
    virtual void LoadFromFile(const std::string& path) = 0;

protected:
    ~IZAVArrayByteSp() = default;
};

template <class T>
class IZAVArrayByteSpImpl : public TZAVArraySpView<T, IZAVArrayByteSp, CArraySimple<unsigned char, 1>> {
public:
    unsigned char GetAt(int32_t index) override { return this->Payload().GetAt(index); }
    void SetAt(int32_t index, unsigned char value) override { this->Payload().SetAt(index, value); }
    bool SaveToFile(const std::string& path) override { return SaveBytesToFile(this->Payload(), path); }
    void LoadFromFile(const std::string& path) override { LoadBytesFromFile(this->Payload(), path); }

protected:
    ~IZAVArrayByteSpImpl() = default;
};

bool SaveBytesToFile(const CArraySimple<unsigned char, 1>& bytes, const std::string& path);
void LoadBytesFromFile(CArraySimple<unsigned char, 1>& bytes, const std::string& path);

class CZAVArrayByteSp final : public CZAVRefCountBase<CZAVArrayByteSp>,
                              public IZAVObjectSpImpl<CZAVArrayByteSp>,
                              public IZAVArrayByteSpImpl<CZAVArrayByteSp> {
public:
    CZAVArrayByteSp() = default;
    explicit CZAVArrayByteSp(const CArraySimple<unsigned char, 1>& bytes) : m_array(bytes) {}
    explicit CZAVArrayByteSp(CArraySimple<unsigned char, 1>&& bytes) : m_array(std::move(bytes)) {}

    void* GetInterfaceView(int32_t id);
    void* GetPayload() { return &m_array; }

private:
    CArraySimple<unsigned char, 1> m_array;
};

// A new byte-array object, empty or holding a copy of the bytes.
CZAVPtr<IZAVArrayByteSp> CreateArrayByteSp();
CZAVPtr<IZAVArrayByteSp> CreateArrayByteSp(const CArraySimple<unsigned char, 1>& bytes);
// A new byte-array object that takes the bytes over, leaving the source empty.
CZAVPtr<IZAVArrayByteSp> CreateArrayByteSp(CArraySimple<unsigned char, 1>&& bytes);

}  // namespace ZAV

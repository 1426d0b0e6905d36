// The name/value set object behind IZAVNameValuePairsSp: text values under
// case-sensitive keys, kept in the order of their first setting.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/containers/NameValuePairs.h"
#include "foundation/objects/ZAVArrayStringSp.h"
#include "foundation/objects/ZAVInterfaces.h"
#include "foundation/objects/ZAVObjectSpImpl.h"
#include "foundation/objects/ZAVPtr.h"
#include "foundation/objects/ZAVRefCountBase.h"

namespace ZAV {

// Refuses a position outside the key order of a set of count keys.
void CheckKeyIndex(int32_t index, int32_t count);

class IZAVNameValuePairsSp : public IZAVUnknownSp, public IZAVQueryInterfaceSp {
public:
    static constexpr int32_t kInterfaceId = zaviidNameValuePairs;

    virtual CZAVPtr<IZAVObjectSp> GetObjectSp() = 0;
    // Throws "Key not found!" for a key that is not set.
    virtual std::string GetValue(const std::string& key) = 0;
    virtual void SetValue(const std::string& key, const std::string& value) = 0;
    // By position in the key order; a position outside it is refused with a
    // CTextException.
    virtual std::string GetValueAt(int32_t index) = 0;
    // "" for a position outside the key order.
    virtual std::string GetKeyAt(int32_t index) = 0;
    virtual bool HasKey(const std::string& key) = 0;
    // Every key in the order of first setting, in a new string-array object.
    virtual CZAVPtr<IZAVArrayStringSp> GetKeys() = 0;
    virtual int32_t GetCount() = 0;

protected:
    ~IZAVNameValuePairsSp() = default;
};

template <class T>
class IZAVNameValuePairsSpImpl : public TZAVSpView<T, IZAVNameValuePairsSp> {
public:
    CZAVPtr<IZAVObjectSp> GetObjectSp() override { return this->SpObject()->InternalGetObjectSp(); }
    std::string GetValue(const std::string& key) override { return Pairs().GetValue(key); }
    void SetValue(const std::string& key, const std::string& value) override { Pairs().SetValue(key, value); }
    std::string GetValueAt(int32_t index) override
    {
        CheckKeyIndex(index, Pairs().GetCount());
        return Pairs().GetValueAt(index);
    }
    std::string GetKeyAt(int32_t index) override { return Pairs().GetKeyAt(index); }
    bool HasKey(const std::string& key) override { return Pairs().HasKey(key); }
    CZAVPtr<IZAVArrayStringSp> GetKeys() override;
    int32_t GetCount() override { return Pairs().GetCount(); }

protected:
    ~IZAVNameValuePairsSpImpl() = default;

private:
    CNameValuePairs& Pairs() { return *static_cast<CNameValuePairs*>(this->SpObject()->GetPayload()); }
};

// The keys of a set (either kind) in the order of their first setting.
template <class Pairs>
CZAVPtr<IZAVArrayStringSp> CreateKeyArraySp(const Pairs& pairs)
{
    CArrayString keys;
    const int32_t count = pairs.GetCount();
    keys.SetSize(count);
    for (int32_t i = 0; i < count; ++i)
        keys.SetAt(i, pairs.GetKeyAt(i));
    return CreateArrayStringSp(keys);
}

template <class T>
CZAVPtr<IZAVArrayStringSp> IZAVNameValuePairsSpImpl<T>::GetKeys()
{
    return CreateKeyArraySp(Pairs());
}

class CZAVNameValuePairsSp final : public CZAVRefCountBase<CZAVNameValuePairsSp>,
                                   public IZAVObjectSpImpl<CZAVNameValuePairsSp>,
                                   public IZAVNameValuePairsSpImpl<CZAVNameValuePairsSp> {
public:
    void* GetInterfaceView(int32_t id);
    void* GetPayload() { return &m_pairs; }

private:
    CNameValuePairs m_pairs;
};

// A new, empty name/value set object.
CZAVPtr<IZAVNameValuePairsSp> CreateNameValuePairsSp();

}  // namespace ZAV

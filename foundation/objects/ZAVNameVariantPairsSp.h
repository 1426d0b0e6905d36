// The name/variant set object behind IZAVNameVariantPairsSp: variant values
// under case-sensitive keys, kept in the order of their first setting.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/containers/NameVariantPairs.h"
#include "foundation/objects/ZAVArrayStringSp.h"
#include "foundation/objects/ZAVInterfaces.h"
#include "foundation/objects/ZAVNameValuePairsSp.h"
#include "foundation/objects/ZAVObjectSpImpl.h"
#include "foundation/objects/ZAVPtr.h"
#include "foundation/objects/ZAVRefCountBase.h"
#include "foundation/objects/ZAVVariantSp.h"

namespace ZAV {

class IZAVNameVariantPairsSp : public IZAVUnknownSp, public IZAVQueryInterfaceSp {
public:
    static constexpr int32_t kInterfaceId = zaviidNameVariantPairs;

    virtual CZAVPtr<IZAVObjectSp> GetObjectSp() = 0;
    // A new variant object holding a copy of the key's value; throws
    // "Key not found!" for a key that is not set.
    virtual CZAVPtr<IZAVVariantSp> GetVariant(const std::string& key) = 0;
    // Stores a copy of the variant object's value under the key. Anything
    // but a variant object is refused with "Interface not available!".
    virtual void SetVariant(const std::string& key, IZAVVariantSp* variant) = 0;
    // By position in the key order; a position outside it is refused with a
    // CTextException.
    virtual CZAVPtr<IZAVVariantSp> GetVariantAt(int32_t index) = 0;
    // "" for a position outside the key order.
    virtual std::string GetKeyAt(int32_t index) = 0;
    virtual bool HasKey(const std::string& key) = 0;
    // Every key in the order of first setting, in a new string-array object.
    virtual CZAVPtr<IZAVArrayStringSp> GetKeys() = 0;
    virtual int32_t GetCount() = 0;

protected:
    ~IZAVNameVariantPairsSp() = default;
};

// The variant a variant object holds; throws "Interface not available!" for
// null or an object that is not a variant.
const CZAVVariant& VariantOfSp(IZAVVariantSp* variant, CZAVPtr<IZAVObjectSp>& objectView);

template <class T>
class IZAVNameVariantPairsSpImpl : public TZAVSpView<T, IZAVNameVariantPairsSp> {
public:
    CZAVPtr<IZAVObjectSp> GetObjectSp() override { return this->SpObject()->InternalGetObjectSp(); }
    CZAVPtr<IZAVVariantSp> GetVariant(const std::string& key) override
    {
        return CreateVariantSp(Pairs().GetValue(key));
    }
    void SetVariant(const std::string& key, IZAVVariantSp* variant) override
    {
        // The object view's reference is given back when the holder goes.
        CZAVPtr<IZAVObjectSp> objectView;
        Pairs().SetValue(key, VariantOfSp(variant, objectView));
    }
    CZAVPtr<IZAVVariantSp> GetVariantAt(int32_t index) override
    {
        CheckKeyIndex(index, Pairs().GetCount());
        return CreateVariantSp(Pairs().GetValueAt(index));
    }
    std::string GetKeyAt(int32_t index) override { return Pairs().GetKeyAt(index); }
    bool HasKey(const std::string& key) override { return Pairs().HasKey(key); }
    CZAVPtr<IZAVArrayStringSp> GetKeys() override { return CreateKeyArraySp(Pairs()); }
    int32_t GetCount() override { return Pairs().GetCount(); }

protected:
    ~IZAVNameVariantPairsSpImpl() = default;

private:
    CNameVariantPairs& Pairs() { return *static_cast<CNameVariantPairs*>(this->SpObject()->GetPayload()); }
};

class CZAVNameVariantPairsSp final : public CZAVRefCountBase<CZAVNameVariantPairsSp>,
                                     public IZAVObjectSpImpl<CZAVNameVariantPairsSp>,
                                     public IZAVNameVariantPairsSpImpl<CZAVNameVariantPairsSp> {
public:
    explicit CZAVNameVariantPairsSp(const CNameVariantPairs& pairs) : m_pairs(pairs) {}

    void* GetInterfaceView(int32_t id);
    void* GetPayload() { return &m_pairs; }

private:
    CNameVariantPairs m_pairs;
};

// A new name/variant set object holding a copy of the set: its bucket
// count, grow flag and compare callback, every key with a copy of its value,
// and the key order.
CZAVPtr<IZAVNameVariantPairsSp> CreateNameVariantPairsSp(const CNameVariantPairs& pairs);

}  // namespace ZAV

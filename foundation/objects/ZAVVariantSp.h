// The variant value object behind IZAVVariantSp. Each getter reads its own
// field whatever the type; each setter writes its field and the type and
// leaves the other fields as they were.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/containers/ArraySimple.h"
#include "foundation/objects/ZAVInterfaces.h"
#include "foundation/objects/ZAVObjectSpImpl.h"
#include "foundation/objects/ZAVPtr.h"
#include "foundation/objects/ZAVRefCountBase.h"
#include "foundation/containers/ZAVVariant.h"

namespace ZAV {

class IZAVVariantSp : public IZAVUnknownSp, public IZAVQueryInterfaceSp {
public:
    static constexpr int32_t kInterfaceId = zaviidVariant;

    virtual uint8_t GetBool() = 0;
    virtual void SetBool(uint8_t value) = 0;  // type 1
    virtual int32_t GetInt() = 0;
    virtual void SetInt(int32_t value) = 0;  // type 2
    virtual double GetDouble() = 0;
    virtual void SetDouble(double value) = 0;  // type 3
    virtual std::string GetString() = 0;
    virtual void SetString(const std::string& value) = 0;  // type 4
    virtual CArraySimple<unsigned char, 1> GetBytes() = 0;
    virtual void SetBytes(const CArraySimple<unsigned char, 1>& value) = 0;  // type 5
    // 0 empty, 1 byte, 2 int, 3 double, 4 text, 5 byte array, 6 byte.
    virtual int32_t GetType() = 0;
    // The value read as another type: a text counts only when it is wholly a
    // number, doubles are truncated toward zero, doubles print as "%.2f".
    virtual int32_t GetAsInt() = 0;
    virtual double GetAsDouble() = 0;
    virtual std::string GetAsString() = 0;
    // Back to the empty type.
    virtual void Clear() = 0;

protected:
    ~IZAVVariantSp() = default;
};

template <class T>
class IZAVVariantSpImpl : public TZAVSpView<T, IZAVVariantSp> {
public:
    uint8_t GetBool() override { return Variant().GetByte(); }
    void SetBool(uint8_t value) override { Variant().SetByte(value, zavVariantByte); }
    int32_t GetInt() override { return Variant().GetInt(); }
    void SetInt(int32_t value) override { Variant().SetInt(value); }
    double GetDouble() override { return Variant().GetReal(); }
    void SetDouble(double value) override { Variant().SetReal(value); }
    std::string GetString() override { return Variant().GetText(); }
    void SetString(const std::string& value) override { Variant().SetText(value); }
    CArraySimple<unsigned char, 1> GetBytes() override { return Variant().GetBytes(); }
    void SetBytes(const CArraySimple<unsigned char, 1>& value) override { Variant().SetBytes(value); }
    int32_t GetType() override { return Variant().GetType(); }
    int32_t GetAsInt() override { return Variant().GetAsInt(); }
    double GetAsDouble() override { return Variant().GetAsReal(); }
    std::string GetAsString() override { return Variant().GetAsText(); }
    // Only the type goes: GetInt after SetInt(5) and Clear still gives 5.
    void Clear() override { Variant().SetEmpty(); }

protected:
    ~IZAVVariantSpImpl() = default;

private:
    CZAVVariant& Variant() { return *static_cast<CZAVVariant*>(this->SpObject()->GetPayload()); }
};

class CZAVVariantSp final : public CZAVRefCountBase<CZAVVariantSp>,
                            public IZAVObjectSpImpl<CZAVVariantSp>,
                            public IZAVVariantSpImpl<CZAVVariantSp> {
public:
    explicit CZAVVariantSp(const CZAVVariant& value) : m_variant(value) {}

    void* GetInterfaceView(int32_t id);
    void* GetPayload() { return &m_variant; }

private:
    CZAVVariant m_variant;
};

// A new variant object holding a copy of the value.
CZAVPtr<IZAVVariantSp> CreateVariantSp(const CZAVVariant& value);

}  // namespace ZAV

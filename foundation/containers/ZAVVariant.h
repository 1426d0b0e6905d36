// CZAVVariant: the small tagged value of the name/variant sets. Each type
// keeps its own field; the type code says which one is meant.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/containers/ArraySimple.h"

namespace ZAV {

enum zavVariantType : int32_t {
    zavVariantEmpty = 0,
    zavVariantByte = 1,
    zavVariantInt = 2,
    zavVariantReal = 3,
    zavVariantText = 4,
    zavVariantByteArray = 5,
    zavVariantByteAlt = 6,  // a byte under a second code, read like zavVariantByte
};

class CZAVVariant {
public:
    CZAVVariant();

    int32_t GetType() const { return m_type; }
    uint8_t GetByte() const { return m_byteValue; }
    int32_t GetInt() const { return m_intValue; }
    double GetReal() const { return m_realValue; }
    const std::string& GetText() const { return m_textValue; }
    const CArraySimple<unsigned char, 1>& GetBytes() const { return m_byteArrayValue; }

    // Each setter stores its field and makes its type the variant's type.
    // type is zavVariantByte or zavVariantByteAlt.
    void SetByte(uint8_t value, int32_t type = zavVariantByte);
    void SetInt(int32_t value);
    void SetReal(double value);
    void SetText(const std::string& value);
    void SetBytes(const CArraySimple<unsigned char, 1>& value);
    // Back to a new variant's state: empty, every field zero.
    void Clear();
    // Empty, but every field keeps its value for its own getter.
    void SetEmpty() { m_type = zavVariantEmpty; }

    // The value read as another type; empty and byte-array variants read as
    // 0, 0.0 and "". A text reads as a number only when the whole text is one.
    int32_t GetAsInt() const;
    double GetAsReal() const;
    std::string GetAsText() const;

private:
    uint8_t m_byteValue;
    int32_t m_intValue;
    double m_realValue;
    std::string m_textValue;
    CArraySimple<unsigned char, 1> m_byteArrayValue;
    int32_t m_type;
};

}  // namespace ZAV

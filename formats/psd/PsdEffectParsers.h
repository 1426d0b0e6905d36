// The parsers of a PSD layer record's additional information: each reads one
// keyed block ("8BIM", key, length) and reports what it found as file facts
// under the layer's prefix ("Layer%d"). A parser never reads past its own
// block: what it leaves is skipped by Run.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "foundation/text/String.h"

namespace ZAV {

class CFileFacts;
class CFileBytes;

class CPSDEffectParser {
public:
    virtual ~CPSDEffectParser() = default;

    // Parses the block of the given length at the cursor, then skips what
    // Parse left; a skip past the data fails with "Error decoding PSD: Error
    // skipping adjustment layer.".
    void Run(CFileFacts& facts, const std::string& prefix, CFileBytes& cursor, const String& key, int32_t length);

protected:
    virtual void Parse(CFileFacts& facts, const std::string& prefix) = 0;

    int32_t Left() const { return m_length - m_consumed; }
    // Reads within the block; false (nothing read) when the block is short.
    bool Has(int32_t count) const { return count <= Left(); }
    const uint8_t* Take(int32_t count);
    uint32_t TakeU32();
    // The header of a keyed block inside this one: "8BIM", key, length.
    bool TakeBlockHeader(String& key, uint32_t& length);
    void RunChild(CPSDEffectParser& child, CFileFacts& facts, const std::string& prefix, const String& key,
                  uint32_t length);

    CFileBytes* m_cursor = nullptr;
    int32_t m_length = 0;
    String m_key;
    int32_t m_consumed = 0;
};

// All the additional information of one layer record.
class CPSDAdjustmentLayerParser : public CPSDEffectParser {
protected:
    void Parse(CFileFacts& facts, const std::string& prefix) override;
};

// The "lrFX" effects block.
class CPSDlyFXParser : public CPSDEffectParser {
public:
    virtual void Reserved() {}

protected:
    void Parse(CFileFacts& facts, const std::string& prefix) override;
};

class CPSDiOpaParser : public CPSDEffectParser {
protected:
    void Parse(CFileFacts& facts, const std::string& prefix) override;
    int32_t m_value = 0;
};

class CPSDlyidParser : public CPSDEffectParser {
protected:
    void Parse(CFileFacts& facts, const std::string& prefix) override;
    int32_t m_value = 0;
};

class CPSDlnsrParser : public CPSDEffectParser {
protected:
    void Parse(CFileFacts& facts, const std::string& prefix) override;
    String m_value;
};

// "dsdw" (drop shadow) and "isdw" (inner shadow).
class CPSDDropShadowParser : public CPSDEffectParser {
public:
    explicit CPSDDropShadowParser(bool inner) : m_inner(inner) {}

protected:
    void Parse(CFileFacts& facts, const std::string& prefix) override;

private:
    bool m_inner;
    int32_t m_version = 0;
    int32_t m_blur = 0;
    int32_t m_intensity = 0;
    int32_t m_angle = 0;
    int32_t m_distance = 0;
    int32_t m_colour = 0;
    String m_blendKey;
    int32_t m_enabled = 1;
    int32_t m_useGlobalAngle = 0;
    uint8_t m_opacity = 0;
};

// "oglw" and "iglw": the settings are reported at their defaults.
class CPSDGlowParser : public CPSDEffectParser {
public:
    explicit CPSDGlowParser(bool inner) : m_inner(inner) {}

protected:
    void Parse(CFileFacts& facts, const std::string& prefix) override;

private:
    bool m_inner;
    int32_t m_blur = 0;
    int32_t m_intensity = 0;
    String m_blendKey;
    int32_t m_enabled = 1;
    int32_t m_opacity = 0;
};

// "bevl": the settings are reported at their defaults.
class CPSDBevelParser : public CPSDEffectParser {
protected:
    void Parse(CFileFacts& facts, const std::string& prefix) override;

private:
    int32_t m_angle = 0;
    int32_t m_strength = 0;
    int32_t m_blur = 0;
    String m_highlightBlendKey;
    String m_shadowBlendKey;
    uint8_t m_style = 0;
    uint8_t m_highlightOpacity = 0;
    uint8_t m_shadowOpacity = 0;
    int32_t m_enabled = 1;
    int32_t m_useGlobalAngle = 0;
    int32_t m_upDownInverted = 0;
};

// Any other key: nothing is read.
class CPSDEmptyParser : public CPSDEffectParser {
protected:
    void Parse(CFileFacts&, const std::string&) override {}
};

// Reads a keyed block header at the cursor: "Signature was '%.4s' instead of
// 8BIM" (a text exception) for another signature.
void ReadPsdBlockSignature(CFileBytes& cursor);

}  // namespace ZAV

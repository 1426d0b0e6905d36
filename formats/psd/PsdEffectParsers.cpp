#include "formats/psd/PsdEffectParsers.h"

#include "formats/codec/FileFacts.h"
#include "formats/codec/FileBytes.h"
#include "foundation/text/TextException.h"

#include <cstring>

namespace ZAV {

namespace {

constexpr int32_t kBlockHeaderBytes = 12;
constexpr int32_t kShortValueBytes = 4;
// The drop-shadow record of version 0; version 2 adds a native colour,
// which the skip after Parse passes over.
constexpr int32_t kShadowRecordBytes = 41;
constexpr int32_t kEffectsHeaderBytes = 4;

std::string Text(const uint8_t* bytes, size_t count)
{
    return std::string(reinterpret_cast<const char*>(bytes), count);
}

// The high 16 bits of a 16.16 fixed-point field, with its sign.
int32_t HighWord(uint32_t value)
{
    return static_cast<int16_t>(value >> 16);
}

std::unique_ptr<CPSDEffectParser> MakeLayerInfoParser(const String& key)
{
    const std::string name = key.ToStdString();
    if (name == "lrFX")
        return std::make_unique<CPSDlyFXParser>();
    if (name == "iOpa")
        return std::make_unique<CPSDiOpaParser>();
    if (name == "lyid")
        return std::make_unique<CPSDlyidParser>();
    if (name == "lnsr")
        return std::make_unique<CPSDlnsrParser>();
    return std::make_unique<CPSDEmptyParser>();
}

std::unique_ptr<CPSDEffectParser> MakeEffectParser(const String& key)
{
    const std::string name = key.ToStdString();
    if (name == "dsdw" || name == "isdw")
        return std::make_unique<CPSDDropShadowParser>(name == "isdw");
    if (name == "oglw" || name == "iglw")
        return std::make_unique<CPSDGlowParser>(name == "iglw");
    if (name == "bevl")
        return std::make_unique<CPSDBevelParser>();
    return std::make_unique<CPSDEmptyParser>();
}

}  // namespace

void ReadPsdBlockSignature(CFileBytes& cursor)
{
    const uint8_t* signature = cursor.Take(4);
    if (std::memcmp(signature, "8BIM", 4) != 0) {
        String text;
        text.Format("Signature was '%.4s' instead of 8BIM", Text(signature, 4).c_str());
        ThrowTextException(text.GetText());
    }
}

void CPSDEffectParser::Run(CFileFacts& facts, const std::string& prefix, CFileBytes& cursor, const String& key,
                           int32_t length)
{
    m_cursor = &cursor;
    m_key = key;
    m_length = length;
    m_consumed = 0;
    Parse(facts, prefix);
    if (!cursor.TrySkip(static_cast<uint64_t>(m_length - m_consumed)))
        ThrowTextException("Error decoding PSD: Error skipping adjustment layer.");
}

const uint8_t* CPSDEffectParser::Take(int32_t count)
{
    m_consumed += count;
    return m_cursor->Take(static_cast<size_t>(count));
}

uint32_t CPSDEffectParser::TakeU32()
{
    m_consumed += 4;
    return m_cursor->BE32();
}

bool CPSDEffectParser::TakeBlockHeader(String& key, uint32_t& length)
{
    if (!Has(kBlockHeaderBytes))
        return false;
    ReadPsdBlockSignature(*m_cursor);
    key = String(reinterpret_cast<const char*>(m_cursor->Take(4)), size_t(4));
    length = m_cursor->BE32();
    m_consumed += kBlockHeaderBytes;
    return true;
}

// A block that claims more than its parent holds is cut to the parent's
// end, so no child reads past the block it lies in.
void CPSDEffectParser::RunChild(CPSDEffectParser& child, CFileFacts& facts, const std::string& prefix,
                                const String& key, uint32_t length)
{
    const int32_t bounded = length > static_cast<uint32_t>(Left()) ? Left() : static_cast<int32_t>(length);
    child.Run(facts, prefix, *m_cursor, key, bounded);
    m_consumed += bounded;
}

void CPSDAdjustmentLayerParser::Parse(CFileFacts& facts, const std::string& prefix)
{
    String key;
    uint32_t length = 0;
    while (TakeBlockHeader(key, length)) {
        if (length != 0)
            RunChild(*MakeLayerInfoParser(key), facts, prefix, key, length);
    }
}

void CPSDlyFXParser::Parse(CFileFacts& facts, const std::string& prefix)
{
    if (!Has(kEffectsHeaderBytes))
        return;
    Take(kEffectsHeaderBytes);  // version and effect count
    String key;
    uint32_t length = 0;
    while (TakeBlockHeader(key, length)) {
        if (length != 0)
            RunChild(*MakeEffectParser(key), facts, prefix, key, length);
    }
}

void CPSDiOpaParser::Parse(CFileFacts& facts, const std::string& prefix)
{
    if (m_length != kShortValueBytes)
        return;
    m_value = *Take(1);
    facts.SetInt((prefix + "iOpa").c_str(), m_value);
}

void CPSDlyidParser::Parse(CFileFacts& facts, const std::string& prefix)
{
    if (m_length != kShortValueBytes)
        return;
    m_value = static_cast<int32_t>(TakeU32());
    facts.SetInt((prefix + "lyid").c_str(), m_value);
}

void CPSDlnsrParser::Parse(CFileFacts& facts, const std::string& prefix)
{
    if (m_length != kShortValueBytes)
        return;
    m_value = String(reinterpret_cast<const char*>(Take(4)), size_t(4));
    facts.SetText((prefix + "lnsr").c_str(), m_value.ToStdString());
}

void CPSDDropShadowParser::Parse(CFileFacts& facts, const std::string& prefix)
{
    // A record shorter than its fields sets nothing; Run skips it whole.
    if (!Has(kShadowRecordBytes))
        return;
    m_version = static_cast<int32_t>(TakeU32());
    m_blur = HighWord(TakeU32());
    m_intensity = static_cast<int32_t>(TakeU32());
    m_angle = HighWord(TakeU32());
    m_distance = HighWord(TakeU32());
    const uint8_t* colour = Take(10);  // colour space, then four 16-bit components
    m_colour = colour[6] * 65536 + colour[4] * 256 + colour[2];
    ReadPsdBlockSignature(*m_cursor);
    m_consumed += 4;
    m_blendKey = String(reinterpret_cast<const char*>(Take(4)), size_t(4));
    m_enabled = *Take(1) ? 1 : 0;
    m_useGlobalAngle = *Take(1) ? 1 : 0;
    m_opacity = *Take(1);
    const std::string name = prefix + (m_inner ? "isdw" : "dsdw");
    facts.SetInt((name + "Blur").c_str(), m_blur);
    facts.SetInt((name + "Intensity").c_str(), m_intensity);
    facts.SetInt((name + "Angle").c_str(), m_angle);
    facts.SetInt((name + "Dist").c_str(), m_distance);
    facts.SetText((name + "Blend").c_str(), m_blendKey.ToStdString());
    facts.SetInt((name + "Color").c_str(), m_colour);
    facts.SetInt((name + "Enabled").c_str(), m_enabled);
    facts.SetInt((name + "Opa").c_str(), m_opacity);
    facts.SetInt((name + "GlobLight").c_str(), m_useGlobalAngle);
}

void CPSDGlowParser::Parse(CFileFacts& facts, const std::string& prefix)
{
    const std::string name = prefix + (m_inner ? "iglw" : "oglw");
    facts.SetInt((name + "Blur").c_str(), m_blur);
    facts.SetInt((name + "Intensity").c_str(), m_intensity);
    facts.SetText((name + "Blend").c_str(), m_blendKey.ToStdString());
    facts.SetInt((name + "Enabled").c_str(), m_enabled);
    facts.SetInt((name + "Opa").c_str(), m_opacity);
}

void CPSDBevelParser::Parse(CFileFacts& facts, const std::string& prefix)
{
    const std::string name = prefix + "bevl";
    facts.SetInt((name + "Angle").c_str(), m_angle);
    facts.SetInt((name + "Strength").c_str(), m_strength);
    facts.SetInt((name + "Blur").c_str(), m_blur);
    facts.SetInt((name + "Style").c_str(), m_style);
    facts.SetInt((name + "HighOpa").c_str(), m_highlightOpacity);
    facts.SetInt((name + "ShaOpa").c_str(), m_shadowOpacity);
    facts.SetText((name + "HighBlend").c_str(), m_highlightBlendKey.ToStdString());
    facts.SetText((name + "ShaBlend").c_str(), m_shadowBlendKey.ToStdString());
    facts.SetInt((name + "Enabled").c_str(), m_enabled);
    facts.SetInt((name + "GlobLight").c_str(), m_useGlobalAngle);
    facts.SetInt((name + "InvUpDown").c_str(), m_upDownInverted);
}

}  // namespace ZAV

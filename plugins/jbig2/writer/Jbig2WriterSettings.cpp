// The save settings' checks, in the order the host's texts are known by.
#include "foundation/text/TextException.h"
#include "plugins/jbig2/Jbig2Settings.h"
#include "plugins/jbig2/writer/Jbig2Writer.h"

namespace ZAV {

namespace {

constexpr int32_t kMaxTemplate = 3;
constexpr int32_t kMaxMatchingMode = 2;
constexpr int32_t kMaxMatchingQuality = 10;
constexpr int32_t kDefaultMatchingQuality = 5;

// Range checks compare as signed values: a negative value passes them and
// the codec refuses it, unless a later check here does first.
void CheckRanges(const int32_t* v)
{
    if (v[kJbig2GenericTemplate] != kJbig2SettingNotSet && v[kJbig2GenericTemplate] > kMaxTemplate)
        ThrowTextException("Invalid GenericTemplate setting! Allowed values are 0, 1, 2 or 3.");
    if (v[kJbig2SymbolTemplate] != kJbig2SettingNotSet && v[kJbig2SymbolTemplate] > kMaxTemplate)
        ThrowTextException("Invalid SymbolTemplate value! Allowed values are 0, 1, 2 or 3.");
    if (v[kJbig2MatchingMode] > kMaxMatchingMode)
        ThrowTextException("Invalid SymbolMatching value! Allowed values are 0, 1 or 2.");
    if (v[kJbig2MatchingQuality] != kJbig2SettingNotSet && v[kJbig2MatchingQuality] > kMaxMatchingQuality)
        ThrowTextException("Invalid symbol matching quality value. Use values ranging from 0 to 10.");
}

}  // namespace

Jbig2WriteSettings ValidateJbig2Settings(const Jbig2EncoderSettings& settings)
{
    const int32_t* v = settings.values;
    CheckRanges(v);
    Jbig2WriteSettings out = {};
    out.quiet = v[kJbig2Quiet];
    out.exportFormat = static_cast<uint32_t>(v[kJbig2ExportFormat]);
    out.coder = static_cast<uint32_t>(v[kJbig2Coder]);
    out.matchingMode = static_cast<uint32_t>(v[kJbig2MatchingMode]);
    out.encodingMode = v[kJbig2Lossless] == 0 ? cJB2_Encoding_Lossy : cJB2_Encoding_Lossless;
    if (v[kJbig2GenericTemplate] != kJbig2SettingNotSet && v[kJbig2Coder] == cJB2_Coder_MMR)
        ThrowTextException("Generic template can only be used with the arithmetic coder!");
    out.genericTemplate = v[kJbig2GenericTemplate] == kJbig2SettingNotSet ? 0 : v[kJbig2GenericTemplate];
    if (v[kJbig2SymbolTemplate] != kJbig2SettingNotSet && v[kJbig2MatchingMode] == cJB2_Matching_None)
        ThrowTextException("There is no SymbolMatch property set!");
    out.symbolTemplate = v[kJbig2SymbolTemplate] == kJbig2SettingNotSet ? 0 : v[kJbig2SymbolTemplate];
    if (v[kJbig2MatchingQuality] != kJbig2SettingNotSet && v[kJbig2MatchingMode] != cJB2_Matching_Efficient)
        ThrowTextException("The SymbiolMatchingQuality can only be used together with efficient symbol matching!");
    out.matchingQuality =
        v[kJbig2MatchingQuality] == kJbig2SettingNotSet ? kDefaultMatchingQuality : v[kJbig2MatchingQuality];
    if (out.matchingMode == cJB2_Matching_None && out.encodingMode == cJB2_Encoding_Lossy)
        ThrowTextException("Lossy encoding can only be used together with symbol matching!");
    return out;
}

}  // namespace ZAV

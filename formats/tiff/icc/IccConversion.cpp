#include "formats/tiff/icc/IccConversion.h"

#include <cstdio>

#include "foundation/text/TextException.h"

namespace ZAV {

namespace {

// What the message names when the source profile came from the file.
constexpr const char* kEmbeddedProfileName = "embedded TIFF ICC profile";
constexpr size_t kMessageSize = 2048;
constexpr double kLabLightnessScale = 100.0 / 255.0;

uint8_t ToByte(double value)
{
    const double clipped = value < 0 ? 0 : value > 1 ? 1 : value;
    return static_cast<uint8_t>(clipped * 255 + 0.5);
}

}  // namespace

CIccConversion::CIccConversion(const IccConversionRequest& request, const std::vector<uint8_t>& embedded)
    : m_request(request), m_sourceName(embedded.empty() ? request.sourceProfile : kEmbeddedProfileName)
{
    if (!embedded.empty())
        m_source = cmsOpenProfileFromMem(embedded.data(), static_cast<cmsUInt32Number>(embedded.size()));
    else if (!request.sourceProfile.empty())
        m_source = cmsOpenProfileFromFile(request.sourceProfile.c_str(), "r");
    if (!request.destinationProfile.empty())
        m_destination = cmsOpenProfileFromFile(request.destinationProfile.c_str(), "r");
    if (!m_source || !m_destination) {
        // The destructor of an object whose construction fails never runs.
        Release();
        ThrowInvalid();
    }
}

CIccConversion::~CIccConversion()
{
    Release();
}

void CIccConversion::Release()
{
    if (m_transform)
        cmsDeleteTransform(m_transform);
    if (m_source)
        cmsCloseProfile(m_source);
    if (m_destination)
        cmsCloseProfile(m_destination);
    m_transform = nullptr;
    m_source = m_destination = nullptr;
}

void CIccConversion::ThrowInvalid() const
{
    char text[kMessageSize];
    std::snprintf(text, sizeof(text), "Invalid ICC Profile:\n  '%s\n  %s'", m_sourceName.c_str(),
                  m_request.destinationProfile.c_str());
    ThrowTextException(text);
}

cmsColorSpaceSignature CIccConversion::GetSourceSpace() const
{
    return cmsGetColorSpace(m_source);
}

cmsColorSpaceSignature CIccConversion::GetDestinationSpace() const
{
    return cmsGetColorSpace(m_destination);
}

void CIccConversion::Begin()
{
    const cmsColorSpaceSignature space = GetSourceSpace();
    m_throughLab = space == cmsSigLabData || space == cmsSigXYZData;
    cmsUInt32Number inFormat = 0;
    if (space == cmsSigLabData)
        inFormat = TYPE_Lab_DBL;
    else if (space == cmsSigXYZData)
        inFormat = TYPE_XYZ_DBL;
    else
        inFormat = cmsFormatterForColorspaceOfProfile(m_source, 1, FALSE);
    const cmsUInt32Number outFormat = m_throughLab ? TYPE_RGB_DBL : TYPE_RGB_8;
    const cmsUInt32Number intent = m_request.intent == 0 ? cmsGetHeaderRenderingIntent(m_source)
                                                         : static_cast<cmsUInt32Number>(m_request.intent - 1);
    m_transform = cmsCreateTransform(m_source, inFormat, m_destination, outFormat, intent, 0);
    if (!m_transform)
        ThrowInvalid();
}

void CIccConversion::Apply(const uint8_t* in, uint8_t* rgb, uint32_t width)
{
    if (m_throughLab)
        ApplyLab(in, rgb, width);
    else
        cmsDoTransform(m_transform, in, rgb, width);
}

// TIFF CIELab: L from 0 to 255 for 0 to 100, a and b signed bytes. An XYZ
// profile takes the same colours as XYZ relative to D50.
void CIccConversion::ApplyLab(const uint8_t* in, uint8_t* rgb, uint32_t width)
{
    m_labRow.resize(size_t(width) * 3);
    m_rgbRow.resize(size_t(width) * 3);
    const bool toXyz = GetSourceSpace() == cmsSigXYZData;
    for (uint32_t x = 0; x < width; ++x) {
        cmsCIELab lab{in[3 * x] * kLabLightnessScale, static_cast<double>(static_cast<int8_t>(in[3 * x + 1])),
                      static_cast<double>(static_cast<int8_t>(in[3 * x + 2]))};
        double* out = &m_labRow[3 * size_t(x)];
        if (toXyz) {
            cmsCIEXYZ xyz;
            cmsLab2XYZ(cmsD50_XYZ(), &xyz, &lab);
            out[0] = xyz.X, out[1] = xyz.Y, out[2] = xyz.Z;
        } else
            out[0] = lab.L, out[1] = lab.a, out[2] = lab.b;
    }
    cmsDoTransform(m_transform, m_labRow.data(), m_rgbRow.data(), width);
    for (size_t i = 0; i < size_t(width) * 3; ++i)
        rgb[i] = ToByte(m_rgbRow[i]);
}

}  // namespace ZAV

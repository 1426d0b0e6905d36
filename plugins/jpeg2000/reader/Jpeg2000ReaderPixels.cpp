// Post-processing of the decoded samples into the host's layout: unsigned,
// scaled to the byte or to 16 bits, YCbCr, CIELab and CMYK turned into RGB,
// wide samples low byte first or cut to their high byte.
#include <algorithm>

#include "plugins/jpeg2000/Jpeg2000Texts.h"
#include "plugins/jpeg2000/reader/Jpeg2000Reader.h"

namespace ZAV {

namespace {

// Samples are 1 byte, or 2 bytes big-endian while post-processing runs.
struct SampleView {
    uint8_t* data;
    uint32_t bytes;

    uint32_t Get(uint64_t i) const { return bytes == 2 ? (uint32_t(data[2 * i]) << 8) | data[2 * i + 1] : data[i]; }
    void Set(uint64_t i, uint32_t v) const
    {
        if (bytes == 2) {
            data[2 * i] = static_cast<uint8_t>(v >> 8);
            data[2 * i + 1] = static_cast<uint8_t>(v);
        } else {
            data[i] = static_cast<uint8_t>(v);
        }
    }
};

uint32_t Clamp(double value, uint32_t maximum)
{
    const double rounded = value + 0.5;
    return rounded <= 0 ? 0 : (rounded >= maximum ? maximum : static_cast<uint32_t>(rounded));
}

}  // namespace

void Jpeg2000Reader::PostProcess()
{
    if (m_palette)
        return;  // indices stay as they are
    const uint64_t pixels = uint64_t(uint32_t(m_width)) * uint32_t(m_height);
    const SampleView view = {m_lockedPixels, uint32_t(m_bits + 7) / 8};
    const uint64_t samples = pixels * m_perPixel;
    if (m_signed) {
        const uint32_t mask = view.bytes == 2 ? 0xFFFF : 0xFF;
        for (uint64_t i = 0; i < samples; ++i)
            view.Set(i, (view.Get(i) + (1u << (m_bits - 1))) & mask);
    }
    if (m_bits < 8) {
        // v x 255 / (2^b - 1): the largest value becomes white.
        const uint32_t maximum = (1u << m_bits) - 1;
        for (uint64_t i = 0; i < samples; ++i)
            view.Set(i, std::min(view.Get(i), maximum) * 255 / maximum);
    } else if (m_bits > 8 && m_bits < 16 && m_colourSpace != cJP2_Space_CIELab) {
        for (uint64_t i = 0; i < samples; ++i)
            view.Set(i, view.Get(i) << (16 - m_bits));
    }
    if (m_colourSpace == cJP2_Space_sYCC)
        ConvertYcc(m_lockedPixels, pixels);
    if (m_colourSpace == cJP2_Space_CIELab)
        ConvertLab(m_lockedPixels, pixels);
    if (m_colourSpace == cJP2_Space_CMYK)
        ConvertCmyk(m_lockedPixels, pixels);
    FinishDepth(m_lockedPixels, pixels);
}

void Jpeg2000Reader::ConvertYcc(uint8_t* data, uint64_t pixels) const
{
    const SampleView view = {data, uint32_t(m_bits + 7) / 8};
    const uint32_t maximum = view.bytes == 2 ? 65535 : 255;
    const double centre = view.bytes == 2 ? 32768 : 128;
    for (uint64_t p = 0; p < pixels; ++p) {
        const double y = view.Get(3 * p), cb = view.Get(3 * p + 1) - centre, cr = view.Get(3 * p + 2) - centre;
        view.Set(3 * p, Clamp(y + 1.402 * cr, maximum));
        view.Set(3 * p + 1, Clamp(y - 0.34413 * cb - 0.71414 * cr, maximum));
        view.Set(3 * p + 2, Clamp(y + 1.772 * cb, maximum));
    }
}

void Jpeg2000Reader::ConvertLab(uint8_t* data, uint64_t pixels)
{
    uint32_t lab[6] = {};
    CheckJpeg2000Status(JP2_Decompress_GetLAB(m_handle, lab),
                        "Internal library error (%ld) while getting LAB params.\n");
    const SampleView view = {data, uint32_t(m_bits + 7) / 8};
    const double scale = m_bits > 8 ? double(1u << (m_bits - 8)) : 1;
    const double divisors[3] = {100, 255, 255};
    for (uint64_t p = 0; p < pixels; ++p)
        for (int k = 0; k < 3; ++k) {
            const double value = lab[2 * k] * (double(view.Get(3 * p + k)) - lab[2 * k + 1]) / divisors[k] / scale;
            uint32_t byte = static_cast<uint32_t>(static_cast<int64_t>(value)) & 0xFF;
            if (k > 0 && (byte & 0x80))
                byte = 127;
            // Wide samples keep the byte in their high half, so the last step treats all alike.
            view.Set(3 * p + k, view.bytes == 2 ? byte * 257 : byte);
        }
}

void Jpeg2000Reader::ConvertCmyk(uint8_t* data, uint64_t pixels)
{
    // Subtractive to additive: R = (max - C)(max - K) / max, and likewise G from M, B from Y.
    const SampleView view = {data, uint32_t(m_bits + 7) / 8};
    const uint64_t maximum = view.bytes == 2 ? 65535 : 255;
    for (uint64_t p = 0; p < pixels; ++p) {
        const uint64_t k = maximum - view.Get(4 * p + 3);
        uint32_t rgb[3];
        for (int c = 0; c < 3; ++c)
            rgb[c] = static_cast<uint32_t>((maximum - view.Get(4 * p + c)) * k / maximum);
        for (int c = 0; c < 3; ++c)
            view.Set(3 * p + c, rgb[c]);
    }
    m_perPixel = 3;
    ResizePixels(pixels * 3 * view.bytes);
}

void Jpeg2000Reader::FinishDepth(uint8_t* data, uint64_t pixels)
{
    if (m_bits <= 8)
        return;
    const uint64_t samples = pixels * m_perPixel;
    if (m_keep8Bits) {
        for (uint64_t i = 0; i < samples; ++i)
            data[i] = data[2 * i];
        m_bits = 8;
        ResizePixels(samples);
        return;
    }
    for (uint64_t i = 0; i < samples; ++i)
        std::swap(data[2 * i], data[2 * i + 1]);
}

}  // namespace ZAV

#include "JP2TestCodec.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "support/TestSupport.h"

namespace JP2Test {

namespace {

void* Alloc(uint32_t size, void*)
{
    return std::malloc(size);
}

int32_t Free(void* block, void*)
{
    std::free(block);
    return 0;
}

uint32_t Read(uint8_t* buffer, uint32_t offset, uint32_t size, void* user)
{
    const auto& bytes = *static_cast<const std::vector<uint8_t>*>(user);
    if (offset >= bytes.size())
        return 0;
    const uint32_t n = static_cast<uint32_t>(std::min<size_t>(size, bytes.size() - offset));
    std::memcpy(buffer, bytes.data() + offset, n);
    return n;
}

int32_t TakeSamples(const uint8_t* samples, uint32_t component, uint32_t row, uint32_t column, uint32_t count,
                    void* user)
{
    Plane& plane = static_cast<Decoded*>(user)->planes.at(component);
    const uint32_t bytes = (plane.bits + 7) / 8;
    if (row >= plane.height || column + count > plane.width)
        return -1;
    for (uint32_t i = 0; i < count; ++i)
        plane.samples[size_t(row) * plane.width + column + i] =
            bytes == 2 ? (uint32_t(samples[2 * i]) << 8) | samples[2 * i + 1] : samples[i];
    return 0;
}

void Describe(JP2_Decomp_Handle handle, Decoded& decoded)
{
    int32_t components = 0;
    JP2_Decompress_GetProp(handle, cJP2_Prop_Components, &components, 0, 0);
    JP2_Decompress_GetProp(handle, cJP2_Prop_Colour_Space, &decoded.colourSpace, 0, 0);
    decoded.planes.resize(components);
    for (int32_t c = 0; c < components; ++c) {
        Plane& plane = decoded.planes[c];
        int32_t width = 0, height = 0, isSigned = 0;
        JP2_Decompress_GetProp(handle, cJP2_Prop_Width, &width, 0, c);
        JP2_Decompress_GetProp(handle, cJP2_Prop_Height, &height, 0, c);
        JP2_Decompress_GetProp(handle, cJP2_Prop_Bits, &plane.bits, 0, c);
        JP2_Decompress_GetProp(handle, cJP2_Prop_Signed, &isSigned, 0, c);
        plane.width = width;
        plane.height = height;
        plane.isSigned = isSigned != 0;
        plane.samples.assign(size_t(width) * height, 0xDEADu);
    }
}

int32_t Write(const uint8_t* buffer, uint32_t offset, uint32_t size, void* user)
{
    auto& out = *static_cast<std::vector<uint8_t>*>(user);
    if (out.size() < size_t(offset) + size)
        out.resize(size_t(offset) + size);
    std::memcpy(out.data() + offset, buffer, size);
    return 0;
}

int32_t Fill(uint8_t* destination, uint32_t component, uint32_t row, uint32_t column, uint32_t count, void* user)
{
    const EncodeRequest& r = *static_cast<const EncodeRequest*>(user);
    for (uint32_t i = 0; i < count; ++i)
        destination[i] = r.pixels[(size_t(row) * r.width + column + i) * r.components + component];
    return 0;
}

}  // namespace

JP2_Error WithDecoder(const std::vector<uint8_t>& bytes, const std::function<void(JP2_Decomp_Handle)>& use)
{
    JP2_Decomp_Handle handle = nullptr;
    const JP2_Error status =
        JP2_Decompress_Start(&handle, Alloc, nullptr, Free, nullptr, Read, const_cast<std::vector<uint8_t>*>(&bytes));
    if (status != 0)
        return status;
    use(handle);
    EXPECT_EQ(JP2_Decompress_End(handle), 0);
    return 0;
}

Decoded DecodeJP2(const std::vector<uint8_t>& bytes, int32_t delivery, bool decode)
{
    Decoded decoded;
    decoded.status = WithDecoder(bytes, [&](JP2_Decomp_Handle handle) {
        EXPECT_EQ(JP2_Decompress_SetProp(handle, cJP2_Prop_Sample_Delivery, delivery), 0);
        Describe(handle, decoded);
        if (!decode)
            return;
        JP2_Decompress_SetProp(handle, cJP2_Prop_Decomp_Output_User, reinterpret_cast<intptr_t>(&decoded));
        JP2_Decompress_SetProp(handle, cJP2_Prop_Decomp_Output_Callback, reinterpret_cast<intptr_t>(TakeSamples));
        decoded.status = JP2_Decompress_Image(handle);
    });
    return decoded;
}

JP2_Error EncodeJP2(const EncodeRequest& request, std::vector<uint8_t>& out)
{
    JP2_Comp_Handle handle = nullptr;
    JP2_Error status = JP2_Compress_Start(&handle, Alloc, nullptr, Free, nullptr, &out);
    if (status != 0)
        return status;
    if (request.before)
        request.before(handle);
    const std::vector<std::pair<int32_t, intptr_t>> basics = {
        {cJP2_Prop_Width, request.width},
        {cJP2_Prop_Height, request.height},
        {cJP2_Prop_Bits, 8},
        {cJP2_Prop_Colour_Space, request.components == 3 ? cJP2_Space_sRGB : cJP2_Space_Grey},
        {cJP2_Prop_Input_User, reinterpret_cast<intptr_t>(&request)},
        {cJP2_Prop_Input_Callback, reinterpret_cast<intptr_t>(Fill)},
        {cJP2_Prop_Output_User, reinterpret_cast<intptr_t>(&out)},
        {cJP2_Prop_Output_Callback, reinterpret_cast<intptr_t>(Write)}};
    for (const auto& property : basics)
        status = status ? status : JP2_Compress_SetProp(handle, property.first, property.second, -1, -1);
    for (const auto& property : request.properties)
        status = status ? status : JP2_Compress_SetProp(handle, property.first, property.second, -1, -1);
    if (status == 0)
        status = JP2_Compress_Image(handle);
    EXPECT_EQ(JP2_Compress_End(handle), 0);
    return status;
}

std::vector<uint32_t> Pattern(uint32_t width, uint32_t height, uint32_t components, uint32_t bits)
{
    std::vector<uint32_t> values(size_t(width) * height * components);
    const uint32_t mask = (1u << bits) - 1;
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x)
            for (uint32_t c = 0; c < components; ++c)
                values[(size_t(y) * width + x) * components + c] =
                    ((x * 37 + y * 11 + c * 90) ^ (x * y * (c + 3) >> 2)) & mask;
    return values;
}

std::vector<uint8_t> OpjRaw(const std::string& path, const std::string& options)
{
    const std::string out = path + ".out.raw";
    const ZAVTest::RunResult run = ZAVTest::Run("opj_decompress -i " + ZAVTest::ShellQuote(path) + " -o " +
                                                ZAVTest::ShellQuote(out) + " " + options);
    EXPECT_EQ(run.exitCode, 0) << run.output;
    return ZAVTest::FileExists(out) ? ZAVTest::ReadBytes(out) : std::vector<uint8_t>();
}

}  // namespace JP2Test

#include "outside/kvw_jp2/codestream/J2KEncoder.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "outside/kvw_jp2/JP2Limits.h"
#include "outside/kvw_jp2/codestream/OpjSupport.h"

namespace KVWJP2 {

namespace {

struct MemoryOutput {
    Bytes* bytes;
    uint64_t position = 0;
};

OPJ_SIZE_T WriteBytes(void* buffer, OPJ_SIZE_T size, void* user)
{
    auto* output = static_cast<MemoryOutput*>(user);
    if (output->bytes->size() < output->position + size)
        output->bytes->resize(output->position + size);
    std::memcpy(output->bytes->data() + output->position, buffer, size);
    output->position += size;
    return size;
}

OPJ_OFF_T SkipBytes(OPJ_OFF_T count, void* user)
{
    auto* output = static_cast<MemoryOutput*>(user);
    if (count < 0 && uint64_t(-count) > output->position)
        return -1;
    output->position += count;
    return count;
}

OPJ_BOOL SeekBytes(OPJ_OFF_T offset, void* user)
{
    if (offset < 0)
        return OPJ_FALSE;
    static_cast<MemoryOutput*>(user)->position = offset;
    return OPJ_TRUE;
}

bool ValidCodeBlock(uint32_t width, uint32_t height)
{
    // T.800 A.6.1: sides are powers of two from 4 to 1024, the area at most 4096.
    auto powerOfTwo = [](uint32_t v) { return v >= 4 && v <= 1024 && (v & (v - 1)) == 0; };
    return powerOfTwo(width) && powerOfTwo(height) && width * height <= 4096;
}

void SetRates(const EncoderSettings& settings, opj_cparameters_t& parameters)
{
    const uint32_t layers = settings.layers;
    parameters.tcp_numlayers = static_cast<int>(layers);
    parameters.cp_disto_alloc = 1;
    const double raw = double(settings.width) * settings.height * settings.components;
    double finalRate = settings.targetSize ? raw / double(settings.targetSize) : 0;
    if (settings.targetSize && finalRate < 1)
        finalRate = 1;
    // Earlier layers halve the rate of the next; without a target the last layer takes every pass.
    for (uint32_t i = 0; i < layers; ++i) {
        const double factor = double(uint64_t(1) << (layers - 1 - i > 20 ? 20 : layers - 1 - i));
        const double base = finalRate > 0 ? finalRate : 2;
        parameters.tcp_rates[i] = static_cast<float>(i + 1 == layers ? finalRate : base * factor * 2);
    }
}

JP2_Error FillParameters(const EncoderSettings& settings, opj_cparameters_t& parameters)
{
    opj_set_default_encoder_parameters(&parameters);
    if (settings.layers < 1 || settings.layers > 100 || settings.progression > 4 ||
        !ValidCodeBlock(settings.codeBlockWidth, settings.codeBlockHeight) || settings.levels > kMaxLevels)
        return cJP2_Error_Invalid_Argument;
    SetRates(settings, parameters);
    parameters.irreversible = settings.wavelet ? 1 : 0;
    parameters.numresolution = static_cast<int>(FittingLevels(settings) + 1);
    parameters.cblockw_init = static_cast<int>(settings.codeBlockWidth);
    parameters.cblockh_init = static_cast<int>(settings.codeBlockHeight);
    parameters.mode = static_cast<int>(settings.codeBlockStyle & 63);
    parameters.prog_order = static_cast<OPJ_PROG_ORDER>(settings.progression);
    parameters.tcp_mct = settings.colourTransform ? 1 : 0;
    if (settings.tileWidth || settings.tileHeight) {
        parameters.tile_size_on = OPJ_TRUE;
        parameters.cp_tdx = static_cast<int>(settings.tileWidth ? settings.tileWidth : settings.width);
        parameters.cp_tdy = static_cast<int>(settings.tileHeight ? settings.tileHeight : settings.height);
    }
    return cJP2_Error_OK;
}

opj_image_t* MakeImage(const EncoderSettings& settings, const std::vector<Bytes>& planes)
{
    std::vector<opj_image_cmptparm_t> parameters(settings.components);
    for (opj_image_cmptparm_t& p : parameters) {
        std::memset(&p, 0, sizeof(p));
        p.dx = p.dy = 1;
        p.w = settings.width;
        p.h = settings.height;
        p.prec = 8;
    }
    const OPJ_COLOR_SPACE space = settings.components >= 3 ? OPJ_CLRSPC_SRGB : OPJ_CLRSPC_GRAY;
    opj_image_t* image = opj_image_create(settings.components, parameters.data(), space);
    if (!image)
        return nullptr;
    image->x1 = settings.width;
    image->y1 = settings.height;
    const uint64_t samples = uint64_t(settings.width) * settings.height;
    for (uint32_t c = 0; c < settings.components; ++c)
        for (uint64_t i = 0; i < samples; ++i)
            image->comps[c].data[i] = planes[c][i];
    return image;
}

}  // namespace

uint32_t FittingLevels(const EncoderSettings& settings)
{
    // OpenJPEG checks the nominal tile size; smaller edge tiles encode anyway.
    const uint32_t width =
        settings.tileWidth && settings.tileWidth < settings.width ? settings.tileWidth : settings.width;
    const uint32_t height =
        settings.tileHeight && settings.tileHeight < settings.height ? settings.tileHeight : settings.height;
    const uint32_t side = std::min(width, height);
    uint32_t levels = settings.levels;
    while (levels > 0 && (side >> levels) == 0)
        --levels;
    return levels;
}

JP2_Error EncodeCodestream(const EncoderSettings& settings, const std::vector<Bytes>& planes, Bytes& codestream,
                           std::string& lastError)
{
    opj_cparameters_t parameters;
    JP2_Error status = FillParameters(settings, parameters);
    if (status != cJP2_Error_OK)
        return status;
    std::unique_ptr<opj_image_t, void (*)(opj_image_t*)> image(MakeImage(settings, planes), opj_image_destroy);
    std::unique_ptr<opj_codec_t, void (*)(opj_codec_t*)> codec(opj_create_compress(OPJ_CODEC_J2K), opj_destroy_codec);
    std::unique_ptr<opj_stream_t, void (*)(opj_stream_t*)> stream(opj_stream_create(1 << 20, OPJ_FALSE),
                                                                  opj_stream_destroy);
    if (!image || !codec || !stream)
        return cJP2_Error_Out_Of_Memory;
    OpjMessages messages;
    PrepareCodec(codec.get(), messages);
    MemoryOutput output = {&codestream};
    opj_stream_set_user_data(stream.get(), &output, nullptr);
    opj_stream_set_write_function(stream.get(), WriteBytes);
    opj_stream_set_skip_function(stream.get(), SkipBytes);
    opj_stream_set_seek_function(stream.get(), SeekBytes);
    const bool done = opj_setup_encoder(codec.get(), &parameters, image.get()) &&
                      opj_start_compress(codec.get(), image.get(), stream.get()) &&
                      opj_encode(codec.get(), stream.get()) && opj_end_compress(codec.get(), stream.get());
    lastError = messages.lastError;
    return done ? cJP2_Error_OK : cJP2_Error_Encoder;
}

}  // namespace KVWJP2

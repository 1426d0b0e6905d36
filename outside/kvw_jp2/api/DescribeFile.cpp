#include "outside/kvw_jp2/api/DecompressHandle.h"

namespace KVWJP2 {

namespace {

// T.800 I.5.3.1: an ihdr that disagrees with SIZ leaves no picture to trust.
bool HeaderAgrees(const JP2FileModel& model, const J2KDecoder& decoder)
{
    const ImageHeader& header = model.header;
    if (header.width != decoder.GridWidth() || header.height != decoder.GridHeight() ||
        header.components != decoder.Components())
        return false;
    if (header.bpc == 255 && model.bpcc.size() != decoder.Components())
        return false;
    for (uint32_t c = 0; c < decoder.Components(); ++c) {
        const opj_image_comp_t& comp = decoder.Component(c);
        const uint32_t bpc = (comp.prec - 1) | (comp.sgnd ? 0x80 : 0);
        if ((header.bpc == 255 ? model.bpcc[c] : header.bpc) != bpc)
            return false;
    }
    return true;
}

// cmap names existing components and palette columns; cdef names existing channels.
bool IndicesValid(const JP2FileModel& model, uint32_t components)
{
    for (size_t i = 0; i < model.mappedComponents.size(); ++i) {
        const int32_t column = model.mappedColumns[i];
        if (model.mappedComponents[i] >= components ||
            (column >= 0 && (!model.palette.present || size_t(column) >= model.palette.values.size())))
            return false;
    }
    const size_t channels = model.mappedComponents.empty() ? components : model.mappedComponents.size();
    for (const JP2_Channel_Def& def : model.channelDefs)
        if (def.channel >= channels || def.association > channels)
            return false;
    return true;
}

int32_t EnumeratedSpace(uint32_t enumerated)
{
    switch (enumerated) {
    case 17:
        return cJP2_Space_Grey;
    case 16:
        return cJP2_Space_sRGB;
    case 18:
        return cJP2_Space_sYCC;
    case 12:
        return cJP2_Space_CMYK;
    case 14:
        return cJP2_Space_CIELab;
    default:
        return 0;
    }
}

int32_t ColourSpaceOf(const JP2FileModel& model, uint32_t components)
{
    int32_t space = components >= 3 ? cJP2_Space_sRGB : cJP2_Space_Grey;
    if (model.colour.present)
        space = model.colour.method == 1 ? EnumeratedSpace(model.colour.enumerated) : cJP2_Space_ICC;
    return model.palette.present && space != 0 ? space + 1 : space;
}

}  // namespace

JP2_Error DescribeFile(JP2_Decomp_Rec& handle)
{
    JP2FileModel& model = handle.model;
    const J2KDecoder& decoder = *handle.decoder;
    if (!model.isRaw && (!HeaderAgrees(model, decoder) || !IndicesValid(model, decoder.Components())))
        return cJP2_Error_Invalid_File;
    handle.colourSpace = ColourSpaceOf(model, decoder.Components());
    if (model.palette.present) {
        handle.paletteColumns.resize(model.palette.values.size());
        for (size_t c = 0; c < handle.paletteColumns.size(); ++c) {
            JP2_Palette_Column& column = handle.paletteColumns[c];
            column.values = model.palette.values[c].data();
            column.bits = 8;  // scaled to 8 bits when read
            column.isSigned = model.palette.isSigned[c];
        }
        handle.palette.entries = model.palette.entries;
        handle.palette.columns = static_cast<uint32_t>(handle.paletteColumns.size());
        handle.palette.column = handle.paletteColumns.data();
    }
    return cJP2_Error_OK;
}

}  // namespace KVWJP2

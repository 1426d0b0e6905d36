// The page of a compression, from its first row to its end of file.
#include "jbig2codec/compress/JB2CompressPage.h"

#include "jbig2codec/compress/JB2SymbolPath.h"

#include "jbig2codec/document/JB2Page.h"
#include "jbig2codec/segments/JB2SegmentFields.h"

namespace ZAV {

namespace {

JB2_Error CheckProperties(const JB2CompressProperties* p, JB2Message* message)
{
    if (p->width == 0)
        return JB2Fail(message, cJB2_Error_Invalid_Property_Value, "Width must be larger than 0!");
    if (p->height == 0)
        return JB2Fail(message, cJB2_Error_Invalid_Property_Value, "Height must be larger than 0!");
    // Computed in 64 bits: a width near 2^32 would wrap the row size and
    // undersize the page bitmap.
    const uint64_t bytes = (static_cast<uint64_t>(p->width) + 7) / 8 * p->height;
    if (bytes > kJB2MaxPageBufferBytes) {
        return JB2Fail(message, cJB2_Error_Invalid_Property_Value,
                       "Page of %u x %u pixels needs %llu bytes, more than %llu allowed!", p->width, p->height,
                       static_cast<unsigned long long>(bytes), static_cast<unsigned long long>(kJB2MaxPageBufferBytes));
    }
    if (p->xResolution == 0)
        JB2MessageWarning(message, "X Resolution is set to 0 dpm!");
    if (p->yResolution == 0)
        JB2MessageWarning(message, "Y Resolution is set to 0 dpm!");
    if (p->encodingMode == cJB2_Encoding_Lossy && p->matchingMode == cJB2_Matching_None) {
        return JB2Fail(message, cJB2_Error_Invalid_Property_Value,
                       "Lossy encoding is only possible with symbol matching!");
    }
    return cJB2_Error_OK;
}

JB2_Error SetPageInformation(JB2SegmentHeader* information, const JB2CompressProperties* p)
{
    JB2_Error status = JB2SegmentSetPageAssociation(information, 1);
    if (status == cJB2_Error_OK)
        status = JB2PageInfoSetWidth(information, p->width);
    if (status == cJB2_Error_OK)
        status = JB2PageInfoSetHeight(information, p->height);
    if (status == cJB2_Error_OK)
        status = JB2PageInfoSetXResolution(information, p->xResolution);
    if (status == cJB2_Error_OK)
        status = JB2PageInfoSetYResolution(information, p->yResolution);
    if (status == cJB2_Error_OK)
        status = JB2PageInfoSetFlags(information, p->pageFlags);
    if (status == cJB2_Error_OK)
        status = JB2PageInfoSetStriping(information, 0);
    return status;
}

JB2_Error AddPageInformation(JB2File* file, const JB2CompressProperties* p, JB2Message* message)
{
    JB2SegmentHeader* information = nullptr;
    JB2_Error status =
        JB2SegmentCreate(&information, file->memory, JB2FileSegmentCount(file), cJB2_Segment_Page_Information, message);
    if (status != cJB2_Error_OK)
        return status;
    status = SetPageInformation(information, p);
    if (status == cJB2_Error_OK)
        status = JB2PageInfoValidate(information, message);
    if (status != cJB2_Error_OK) {
        JB2SegmentRelease(&information);
        return status;
    }
    return JB2FileAddSegment(file, &information, message);
}

// Codes the full page: with matching, the symbol path first; the generic
// path then codes whatever the symbols left.
JB2_Error CodePage(JB2CompressProperties* p, JB2Memory* memory, JB2Message* message)
{
    if (!JB2StripeEncoderPageCoded(p->encoder) && p->matchingMode != cJB2_Matching_None) {
        JB2_Error status =
            JB2StripeEncoderSymbolPath(p->encoder, memory, p->file, p->matchingMode, p->textTemplate, message);
        if (status != cJB2_Error_OK)
            return status;
    }
    if (!JB2StripeEncoderPageCoded(p->encoder)) {
        JB2_Error status =
            JB2StripeEncoderGenericPath(p->encoder, memory, p->file, p->coder, p->genericTemplate, message);
        if (status != cJB2_Error_OK)
            return status;
    }
    JB2_Error status = JB2PageAddNewSegment(p->file, cJB2_Segment_End_Of_Page, 1, message);
    if (status != cJB2_Error_OK)
        return status;
    return JB2PageAddNewSegment(p->file, cJB2_Segment_End_Of_File, 0, message);
}

}  // namespace

JB2_Error JB2CompressPageStart(JB2CompressProperties* p, JB2Memory* memory, JB2Message* message)
{
    if (!p || p->encoder || p->file)
        return cJB2_Error_Internal;
    JB2_Error status = CheckProperties(p, message);
    if (status != cJB2_Error_OK)
        return status;
    const uint32_t lossless = p->encodingMode == cJB2_Encoding_Lossless ? 1 : 0;
    status = JB2StripeEncoderCreate(&p->encoder, memory, p->width, p->height, lossless, p->matchingQuality, message);
    if (status != cJB2_Error_OK)
        return status;
    status = JB2FileCreate(&p->file, memory, message);
    if (status != cJB2_Error_OK)
        return status;
    status = JB2FileSetOrganisation(p->file, cJB2_Organisation_Sequential);
    if (status != cJB2_Error_OK)
        return status;
    if (JB2FilePageCount(p->file) != 0)
        return cJB2_Error_Internal;
    status = AddPageInformation(p->file, p, message);
    if (status != cJB2_Error_OK)
        return status;
    if (JB2FileSegmentCount(p->file) != 1 || JB2FilePageCount(p->file) != 1)
        return cJB2_Error_Internal;
    return cJB2_Error_OK;
}

JB2_Error JB2CompressPageLine(JB2CompressProperties* p, JB2Memory* memory, const uint8_t* line, JB2Message* message)
{
    if (!p)
        return cJB2_Error_Internal;
    JB2_Error status = JB2StripeEncoderAddLine(p->encoder, line);
    if (status != cJB2_Error_OK)
        return JB2Fail(message, status, "Error compressing line!");
    if (!JB2StripeEncoderIsFull(p->encoder))
        return cJB2_Error_OK;
    return CodePage(p, memory, message);
}

}  // namespace ZAV

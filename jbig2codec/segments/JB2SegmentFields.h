// Typed accessors for the fields inside segment data, per segment type.
// Every accessor checks the segment's type first (-500 for a wrong type, a
// null segment or a null out-pointer); getters set their value to 0 before
// reading; reads give -13 when short, writes -12.
#pragma once

#include <cstdint>

#include "jbig2codec/segments/JB2SegmentHeader.h"

namespace ZAV {

// Region segment information (every region type): 17 bytes.
constexpr uint32_t kJB2RegionInfoLength = 17;
JB2_Error JB2RegionGetWidth(JB2SegmentHeader* segment, uint32_t* width);
JB2_Error JB2RegionGetHeight(JB2SegmentHeader* segment, uint32_t* height);
JB2_Error JB2RegionGetX(JB2SegmentHeader* segment, uint32_t* x);
JB2_Error JB2RegionGetY(JB2SegmentHeader* segment, uint32_t* y);
JB2_Error JB2RegionGetFlags(JB2SegmentHeader* segment, uint8_t* flags);
JB2_Error JB2RegionSetWidth(JB2SegmentHeader* segment, uint32_t width);    // 0 refused
JB2_Error JB2RegionSetHeight(JB2SegmentHeader* segment, uint32_t height);  // 0 refused
JB2_Error JB2RegionSetX(JB2SegmentHeader* segment, uint32_t x);
JB2_Error JB2RegionSetY(JB2SegmentHeader* segment, uint32_t y);
JB2_Error JB2RegionSetFlags(JB2SegmentHeader* segment, uint8_t flags);

// Region support test: flag 1 when the codec can decode the region, 0 (with
// a warning) when it cannot; not a region gives 0 as well. Only a damaged
// segment fails.
JB2_Error JB2RegionIsSupported(JB2SegmentHeader* segment, uint8_t* supported, JB2Message* message);

// Generic region (36, 38, 39; the flags also for the refinement types 40, 42, 43).
JB2_Error JB2GenericGetFlags(JB2SegmentHeader* segment, uint8_t* flags);
JB2_Error JB2GenericSetFlags(JB2SegmentHeader* segment, uint8_t flags);
// AT pixels as x and y arrays, zero beyond the template's count; -500 for MMR.
JB2_Error JB2GenericGetATPixels(JB2SegmentHeader* segment, int8_t x[4], int8_t y[4]);
JB2_Error JB2GenericSetNominalATPixels(JB2SegmentHeader* segment, uint32_t gbTemplate);
JB2_Error JB2GenericHasNominalATPixels(JB2SegmentHeader* segment, uint8_t* nominal);
// Where the coded data starts: 18 for MMR, else 18 + 2 x the AT pairs.
JB2_Error JB2GenericHeaderLength(JB2SegmentHeader* segment, uint32_t* length);
// The nominal AT pixels of a template (0 to 3) and their count.
uint32_t JB2GenericNominalATPixels(uint32_t gbTemplate, int8_t x[4], int8_t y[4]);

// Halftone region (20, 22, 23).
JB2_Error JB2HalftoneGetFlags(JB2SegmentHeader* segment, uint8_t* flags);
JB2_Error JB2HalftoneGetGridWidth(JB2SegmentHeader* segment, uint32_t* hgw);
JB2_Error JB2HalftoneGetGridHeight(JB2SegmentHeader* segment, uint32_t* hgh);
JB2_Error JB2HalftoneGetGridX(JB2SegmentHeader* segment, int32_t* hgx);
JB2_Error JB2HalftoneGetGridY(JB2SegmentHeader* segment, int32_t* hgy);
JB2_Error JB2HalftoneGetVectorX(JB2SegmentHeader* segment, uint16_t* hrx);
JB2_Error JB2HalftoneGetVectorY(JB2SegmentHeader* segment, uint16_t* hry);
// The first referred-to pattern dictionary segment, null when none.
JB2_Error JB2HalftoneGetPatternDictionary(JB2SegmentHeader* segment, JB2SegmentHeader** dictionary);

// Pattern dictionary (16).
JB2_Error JB2PatternGetFlags(JB2SegmentHeader* segment, uint8_t* flags);
JB2_Error JB2PatternGetWidth(JB2SegmentHeader* segment, uint8_t* hdpw);
JB2_Error JB2PatternGetHeight(JB2SegmentHeader* segment, uint8_t* hdph);
JB2_Error JB2PatternGetGrayMax(JB2SegmentHeader* segment, uint32_t* grayMax);

// Page information (48): exactly 19 bytes.
constexpr uint32_t kJB2PageInfoLength = 19;
constexpr uint32_t kJB2CombinationOperatorOverridden = 128;
JB2_Error JB2PageInfoGetWidth(JB2SegmentHeader* segment, uint32_t* width);
JB2_Error JB2PageInfoGetHeight(JB2SegmentHeader* segment, uint32_t* height);
JB2_Error JB2PageInfoGetXResolution(JB2SegmentHeader* segment, uint32_t* resolution);
JB2_Error JB2PageInfoGetYResolution(JB2SegmentHeader* segment, uint32_t* resolution);
JB2_Error JB2PageInfoGetFlags(JB2SegmentHeader* segment, uint8_t* flags);
JB2_Error JB2PageInfoGetDefaultPixel(JB2SegmentHeader* segment, uint8_t* pixel);
// Bits 3-4 of the flags, or 128 when bit 6 (operator overridden) is set.
JB2_Error JB2PageInfoGetDefaultCombinationOperator(JB2SegmentHeader* segment, uint32_t* combination);
JB2_Error JB2PageInfoGetStriping(JB2SegmentHeader* segment, uint16_t* striping);
JB2_Error JB2PageInfoSetWidth(JB2SegmentHeader* segment, uint32_t width);    // 0 refused
JB2_Error JB2PageInfoSetHeight(JB2SegmentHeader* segment, uint32_t height);  // 0 refused
JB2_Error JB2PageInfoSetXResolution(JB2SegmentHeader* segment, uint32_t resolution);
JB2_Error JB2PageInfoSetYResolution(JB2SegmentHeader* segment, uint32_t resolution);
JB2_Error JB2PageInfoSetFlags(JB2SegmentHeader* segment, uint8_t flags);
JB2_Error JB2PageInfoSetStriping(JB2SegmentHeader* segment, uint16_t striping);
// A data length other than 19, a width or a height of 0 give -19.
JB2_Error JB2PageInfoValidate(JB2SegmentHeader* segment, JB2Message* message);

// End of stripe (50).
JB2_Error JB2EndOfStripeGetRow(JB2SegmentHeader* segment, uint32_t* row);

// Text region (4, 6, 7).
JB2_Error JB2TextGetFlags(JB2SegmentHeader* segment, uint16_t* flags);
JB2_Error JB2TextSetFlags(JB2SegmentHeader* segment, uint16_t flags);
JB2_Error JB2TextGetHuffmanFlags(JB2SegmentHeader* segment, uint16_t* flags);  // 0 when SBHUFF is 0
JB2_Error JB2TextGetRefinementATPixels(JB2SegmentHeader* segment, int8_t x[2], int8_t y[2]);
JB2_Error JB2TextSetNominalRefinementATPixels(JB2SegmentHeader* segment);
JB2_Error JB2TextHasNominalRefinementATPixels(JB2SegmentHeader* segment, uint8_t* nominal);
JB2_Error JB2TextGetNumInstances(JB2SegmentHeader* segment, uint32_t* instances);
JB2_Error JB2TextSetNumInstances(JB2SegmentHeader* segment, uint32_t instances);
JB2_Error JB2TextGetStripSize(JB2SegmentHeader* segment, uint32_t* strips);
JB2_Error JB2TextSetStripSize(JB2SegmentHeader* segment, uint32_t strips);  // 1, 2, 4 or 8
JB2_Error JB2TextGetDsOffset(JB2SegmentHeader* segment, int32_t* offset);
// Where the coded data starts: after SBNUMINSTANCES.
JB2_Error JB2TextHeaderLength(JB2SegmentHeader* segment, uint32_t* length);
JB2_Error JB2TextCodedDataLength(JB2SegmentHeader* segment, uint32_t* length);
JB2_Error JB2TextReadCodedData(JB2SegmentHeader* segment, uint32_t offset, uint32_t count, uint8_t* buffer);
// Write callback form: writes coded data at header length + offset.
uint32_t JB2TextWriteCodedData(const uint8_t* buffer, uint32_t offset, uint32_t count, void* segment);

// Huffman table selectors of a text region, in the order the flags hold them.
enum JB2TextHuffmanSelector : uint32_t {
    cJB2_Huffman_FS = 0,
    cJB2_Huffman_DS,
    cJB2_Huffman_DT,
    cJB2_Huffman_RDW,
    cJB2_Huffman_RDH,
    cJB2_Huffman_RDX,
    cJB2_Huffman_RDY,
    cJB2_Huffman_RSIZE
};
// The table a selector takes: *standard is the number of the standard table
// (1 to 15), or 0 with *userTable the tables segment (type 53) to build it
// from. No table for the selector gives -24.
JB2_Error JB2TextSelectHuffmanTable(JB2SegmentHeader* segment, JB2TextHuffmanSelector selector, uint32_t* standard,
                                    JB2SegmentHeader** userTable, JB2Message* message);

}  // namespace ZAV

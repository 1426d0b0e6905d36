// The segment header object: one JBIG2 segment in memory (header fields,
// referred-to segments and the segment data held in a data cache), reading
// and writing its header, and byte access to fields inside its data.
#pragma once

#include <cstdint>

#include "jbig2codec/io/JB2Cache.h"
#include "jbig2codec/io/JB2Location.h"
#include "jbig2codec/support/JB2Memory.h"
#include "jbig2codec/support/JB2Message.h"
#include "jbig2codec/io/JB2Read.h"
#include "jbig2codec/io/JB2Write.h"

namespace ZAV {

struct JB2SegmentArray;

// Segment types the codec knows.
enum : uint8_t {
    cJB2_Segment_Symbol_Dictionary = 0,
    cJB2_Segment_Intermediate_Text_Region = 4,
    cJB2_Segment_Immediate_Text_Region = 6,
    cJB2_Segment_Immediate_Lossless_Text_Region = 7,
    cJB2_Segment_Pattern_Dictionary = 16,
    cJB2_Segment_Intermediate_Halftone_Region = 20,
    cJB2_Segment_Immediate_Halftone_Region = 22,
    cJB2_Segment_Immediate_Lossless_Halftone_Region = 23,
    cJB2_Segment_Intermediate_Generic_Region = 36,
    cJB2_Segment_Immediate_Generic_Region = 38,
    cJB2_Segment_Immediate_Lossless_Generic_Region = 39,
    cJB2_Segment_Intermediate_Refinement_Region = 40,
    cJB2_Segment_Immediate_Refinement_Region = 42,
    cJB2_Segment_Immediate_Lossless_Refinement_Region = 43,
    cJB2_Segment_Page_Information = 48,
    cJB2_Segment_End_Of_Page = 49,
    cJB2_Segment_End_Of_Stripe = 50,
    cJB2_Segment_End_Of_File = 51,
    cJB2_Segment_Profiles = 52,
    cJB2_Segment_Tables = 53,
    cJB2_Segment_Extension = 62,
    cJB2_Segment_Type_Unset = 255
};

bool JB2SegmentTypeIsKnown(uint32_t type);
// The type's name, "Unknown" for any other value.
const char* JB2SegmentTypeName(uint32_t type);
// The name formatted with "%.255s" into buffer; -7 for a null buffer.
JB2_Error JB2SegmentTypeNameFormat(uint32_t type, char* buffer, uint32_t size);
bool JB2SegmentTypeIsRegion(uint32_t type);
bool JB2SegmentTypeIsTextRegion(uint32_t type);
bool JB2SegmentTypeIsHalftoneRegion(uint32_t type);
bool JB2SegmentTypeIsGenericRegion(uint32_t type);  // generic and refinement
bool JB2SegmentTypeIsPlainGenericRegion(uint32_t type);  // intermediate, immediate, lossless
bool JB2SegmentTypeIsRefinementRegion(uint32_t type);

// Frees the object a symbol or pattern dictionary segment owns (its dictionary). Set by
// whoever makes that object, so the segment layer need not know its kind.
typedef JB2_Error (*JB2TypeObjectRelease)(void** object, JB2Memory* memory);

struct JB2SegmentHeader {
    uint32_t number;
    uint8_t type;
    uint32_t pageAssociation;
    uint8_t pageAssociationIs4Bytes;
    JB2Location* dataLocation;  // offset of the data in the source, length from the header
    JB2Cache* data;
    uint8_t deferredNonRetain;
    uint8_t retain;
    uint32_t referredCount;
    uint8_t* referredRetainBits;
    uint32_t* referredNumbers;
    JB2SegmentHeader** referredSegments;  // links, not owned; null when not found
    JB2Memory* memory;
    void* typeObject;
    JB2TypeObjectRelease typeObjectRelease;
    uint32_t references;
    uint32_t mark;  // scratch for walks over a file's segments
};

// A new segment of a known type (else -500), holding an empty memory cache.
JB2_Error JB2SegmentCreate(JB2SegmentHeader** out, JB2Memory* memory, uint32_t number, uint32_t type,
                           JB2Message* message);
void JB2SegmentAddReference(JB2SegmentHeader* segment);
JB2_Error JB2SegmentRelease(JB2SegmentHeader** holder);

// Reads the header at offset; the referred-to numbers are looked up in
// `segments` (those read so far, may be null). *headerLength is the number
// of header bytes. The data location starts right behind the header.
JB2_Error JB2SegmentReadHeader(JB2SegmentHeader** out, JB2Memory* memory, JB2SegmentArray* segments,
                               JB2ReadData* readData, uint32_t offset, uint32_t* headerLength,
                               JB2Message* message);
// Writes the header at offset (nothing is written without writeData, only
// the length worked out). *length is the number of header bytes.
JB2_Error JB2SegmentWriteHeader(JB2SegmentHeader* segment, JB2WriteData* writeData, uint32_t offset,
                                uint32_t* length, JB2Message* message);
// The header's length in bytes, 0 when it cannot be written.
uint32_t JB2SegmentHeaderLength(JB2SegmentHeader* segment);
// Copies the segment data to the target at offset.
JB2_Error JB2SegmentWriteData(JB2SegmentHeader* segment, JB2WriteData* writeData, uint32_t offset,
                              JB2Message* message);

// Gives the segment a new data cache that reads its data through readData.
JB2_Error JB2SegmentAttachSource(JB2SegmentHeader* segment, JB2ReadData* readData, JB2Message* message);

int64_t JB2SegmentNumber(const JB2SegmentHeader* segment);  // -1 for none
uint32_t JB2SegmentType(const JB2SegmentHeader* segment);   // 255 for none
uint32_t JB2SegmentReferredCount(const JB2SegmentHeader* segment);
uint32_t JB2SegmentDataOffset(const JB2SegmentHeader* segment);
JB2_Error JB2SegmentSetDataOffset(JB2SegmentHeader* segment, uint32_t offset);
uint32_t JB2SegmentLocationLength(const JB2SegmentHeader* segment);
// The larger of the header's length and the bytes held in the data cache.
uint32_t JB2SegmentDataLength(const JB2SegmentHeader* segment);

// A value of 256 or more switches the header to the 4-byte field.
JB2_Error JB2SegmentSetPageAssociation(JB2SegmentHeader* segment, uint32_t page);
// New zeroed referred-to arrays of n entries; n above 0x1FFFFFFF gives -500.
JB2_Error JB2SegmentSetReferredCount(JB2SegmentHeader* segment, uint32_t n, JB2Message* message);
JB2SegmentHeader* JB2SegmentGetReferred(const JB2SegmentHeader* segment, uint32_t index);
// The referred segment must have a lower number; its own retain bit is set.
JB2_Error JB2SegmentSetReferred(JB2SegmentHeader* segment, uint32_t index, JB2SegmentHeader* referred);

// Fields inside the segment data, big-endian, at a byte offset from its
// start: -13 for a short read, -12 for a short write, -500 without data.
JB2_Error JB2SegmentReadU8(JB2SegmentHeader* segment, uint32_t offset, uint8_t* value);
JB2_Error JB2SegmentReadU16(JB2SegmentHeader* segment, uint32_t offset, uint16_t* value);
JB2_Error JB2SegmentReadU32(JB2SegmentHeader* segment, uint32_t offset, uint32_t* value);
JB2_Error JB2SegmentReadBytes(JB2SegmentHeader* segment, uint32_t offset, uint32_t count, uint8_t* buffer);
JB2_Error JB2SegmentWriteU8(JB2SegmentHeader* segment, uint32_t offset, uint8_t value);
JB2_Error JB2SegmentWriteU16(JB2SegmentHeader* segment, uint32_t offset, uint16_t value);
JB2_Error JB2SegmentWriteU32(JB2SegmentHeader* segment, uint32_t offset, uint32_t value);
JB2_Error JB2SegmentWriteBytes(JB2SegmentHeader* segment, uint32_t offset, uint32_t count, const uint8_t* buffer);
// Write callback form for coders that produce segment data: user is the
// segment; returns the count written, 0 on failure.
uint32_t JB2SegmentWriteCallback(const uint8_t* buffer, uint32_t offset, uint32_t count, void* segment);

}  // namespace ZAV

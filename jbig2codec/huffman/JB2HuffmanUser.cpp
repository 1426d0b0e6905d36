// Tables that come from the data: user-defined tables of tables segments
// (T.88 B.2) and the symbol-ID tables of Huffman text regions (T.88 7.4.3.1.7).
#include "jbig2codec/huffman/JB2HuffmanTable.h"

#include "jbig2codec/support/JB2Limits.h"

namespace ZAV {

namespace {

// Run codes 0 to 34 of the code lengths of a symbol-ID table.
constexpr uint32_t kJB2SymbolIDRunCodes = 35;

struct UserTableHeader {
    uint8_t hasOOB;       // HTOOB
    uint32_t prefixBits;  // HTPS
    uint32_t rangeBits;   // HTRS
    int32_t low;          // HTLOW
    int32_t high;         // HTHIGH
};

JB2_Error ReadUserHeader(JB2BitReader* reader, UserTableHeader* h, JB2Message* message)
{
    const uint32_t flags = JB2BitReaderRead(reader, 8);
    if (JB2BitReaderOverrun(reader)) {
        return JB2Fail(message, cJB2_Error_Invalid_Segment_Data,
                       "Failure decoding code flags for user defined huffman table!");
    }
    h->hasOOB = flags & 1;
    h->prefixBits = ((flags >> 1) & 7) + 1;
    h->rangeBits = ((flags >> 4) & 7) + 1;
    h->low = int32_t(JB2BitReaderRead(reader, 32));
    h->high = int32_t(JB2BitReaderRead(reader, 32));
    if (JB2BitReaderOverrun(reader)) {
        return JB2Fail(message, cJB2_Error_Invalid_Segment_Data,
                       "Failure decoding lowest and highest values for user defined huffman table!");
    }
    // HTLOW - 1 must be a value, and the lines run upwards from HTLOW.
    if (h->low > h->high || h->low == INT32_MIN) {
        return JB2Fail(message, cJB2_Error_Invalid_Huffman_Table,
                       "Invalid lowest and highest values for user defined huffman table!");
    }
    return cJB2_Error_OK;
}

JB2_Error LineFailure(JB2Message* message)
{
    return JB2Fail(message, cJB2_Error_Invalid_Segment_Data, "Failure decoding line for user defined huffman table!");
}

// The table lines from HTLOW up to HTHIGH, then the two range lines and the
// out-of-band line. Every line must be in the data: lines cannot be made
// from bits that are not there.
JB2_Error ReadUserLines(JB2BitReader* reader, JB2HuffmanTable* table, JB2Memory* memory, const UserTableHeader& h,
                        JB2Message* message)
{
    int64_t low = h.low;
    while (low < h.high) {
        const uint32_t prefixLength = JB2BitReaderRead(reader, h.prefixBits);
        const uint32_t rangeLength = JB2BitReaderRead(reader, h.rangeBits);
        if (JB2BitReaderOverrun(reader))
            return LineFailure(message);
        if (rangeLength > kJB2MaxHuffmanRangeLength) {
            return JB2Fail(message, cJB2_Error_Invalid_Huffman_Table,
                           "Invalid range length for user defined huffman table!");
        }
        JB2_Error status = Huffman_Table_Add_Entry(table, memory, prefixLength, rangeLength, int32_t(low), message);
        if (status != cJB2_Error_OK)
            return status;
        low += int64_t(1) << rangeLength;
    }
    const uint32_t lowerPrefix = JB2BitReaderRead(reader, h.prefixBits);
    const uint32_t upperPrefix = JB2BitReaderRead(reader, h.prefixBits);
    const uint32_t oobPrefix = h.hasOOB ? JB2BitReaderRead(reader, h.prefixBits) : 0;
    if (JB2BitReaderOverrun(reader))
        return LineFailure(message);
    JB2_Error status = Huffman_Table_Add_Entry(table, memory, lowerPrefix, 32, h.low - 1, message);
    if (status == cJB2_Error_OK)
        status = Huffman_Table_Add_Entry(table, memory, upperPrefix, 32, h.high, message);
    if (status == cJB2_Error_OK)
        status = Huffman_Table_Add_Entry(table, memory, oobPrefix, 0, 0, message);
    return status;
}

JB2_Error AddAbsentSpecialLines(JB2HuffmanTable* table, JB2Memory* memory, int32_t upperLow, JB2Message* message)
{
    JB2_Error status = Huffman_Table_Add_Entry(table, memory, 0, 32, -1, message);
    if (status == cJB2_Error_OK)
        status = Huffman_Table_Add_Entry(table, memory, 0, 32, upperLow, message);
    if (status == cJB2_Error_OK)
        status = Huffman_Table_Add_Entry(table, memory, 0, 0, 0, message);
    return status;
}

// The table of the 35 run codes that precedes the symbol code lengths.
JB2_Error ReadRunCodeTable(JB2HuffmanTable** out, JB2Memory* memory, JB2BitReader* reader, JB2Message* message)
{
    JB2_Error status = Huffman_Table_Create(out, memory, message);
    for (uint32_t i = 0; status == cJB2_Error_OK && i < kJB2SymbolIDRunCodes; ++i)
        status = Huffman_Table_Add_Entry(*out, memory, JB2BitReaderRead(reader, 4), 0, int32_t(i), message);
    if (status == cJB2_Error_OK && JB2BitReaderOverrun(reader))
        status = cJB2_Error_Invalid_Segment_Data;
    if (status == cJB2_Error_OK)
        status = AddAbsentSpecialLines(*out, memory, kJB2SymbolIDRunCodes, message);
    if (status == cJB2_Error_OK)
        status = Huffman_Table_Finish(*out, memory, message);
    return status;
}

// Runs of code lengths: 0-31 a length, 32 repeats the previous one, 33 and
// 34 give runs of unused symbols.
JB2_Error DecodeCodeLengths(JB2BitReader* reader, const JB2HuffmanTable* runCodes, uint8_t* lengths, uint32_t symbols)
{
    uint32_t done = 0;
    while (done < symbols) {
        int32_t code = 0;
        uint8_t oob = 0;
        JB2_Error status = Huffman_Decode_Value(reader, runCodes, &code, &oob);
        if (status != cJB2_Error_OK)
            return status;
        if (code < 32) {
            lengths[done++] = uint8_t(code);
            continue;
        }
        uint32_t run = 0;
        uint8_t length = 0;
        if (code == 32) {
            if (done == 0)
                return cJB2_Error_Internal;
            run = 3 + JB2BitReaderRead(reader, 2);
            length = lengths[done - 1];
        } else {
            run = code == 33 ? 3 + JB2BitReaderRead(reader, 3) : 11 + JB2BitReaderRead(reader, 7);
        }
        if (JB2BitReaderOverrun(reader) || run > symbols - done)
            return cJB2_Error_Invalid_Segment_Data;
        for (uint32_t i = 0; i < run; ++i)
            lengths[done++] = length;
    }
    return cJB2_Error_OK;
}

JB2_Error BuildSymbolIDTable(JB2HuffmanTable** out, JB2Memory* memory, const uint8_t* lengths, uint32_t symbols,
                             JB2Message* message)
{
    JB2_Error status = Huffman_Table_Create(out, memory, message);
    if (status == cJB2_Error_OK)
        status = Huffman_Table_Reserve(*out, memory, uint64_t(symbols) + 3, message);
    for (uint32_t i = 0; status == cJB2_Error_OK && i < symbols; ++i)
        status = Huffman_Table_Add_Entry(*out, memory, lengths[i], 0, int32_t(i), message);
    if (status == cJB2_Error_OK)
        status = AddAbsentSpecialLines(*out, memory, int32_t(symbols), message);
    if (status == cJB2_Error_OK)
        status = Huffman_Table_Finish(*out, memory, message);
    return status;
}

}  // namespace

JB2_Error Huffman_Table_User_Defined(JB2HuffmanTable** out, JB2Memory* memory, const uint8_t* data, uint32_t length,
                                     JB2Message* message)
{
    if (!out || !data)
        return cJB2_Error_Internal;
    *out = nullptr;
    JB2BitReader reader;
    JB2BitReaderInit(&reader, data, length);
    UserTableHeader header = {};
    JB2_Error status = ReadUserHeader(&reader, &header, message);
    JB2HuffmanTable* table = nullptr;
    if (status == cJB2_Error_OK)
        status = Huffman_Table_Create(&table, memory, message);
    if (status == cJB2_Error_OK)
        status = ReadUserLines(&reader, table, memory, header, message);
    if (status == cJB2_Error_OK)
        status = Huffman_Table_Finish(table, memory, message);
    if (status != cJB2_Error_OK) {
        if (table)
            Huffman_Table_End(&table, memory);
        return status;
    }
    *out = table;
    return cJB2_Error_OK;
}

JB2_Error Huffman_Table_Symbol_ID(JB2HuffmanTable** out, JB2Memory* memory, JB2BitReader* reader, uint32_t symbols,
                                  JB2Message* message)
{
    if (!out || !reader)
        return cJB2_Error_Internal;
    *out = nullptr;
    JB2HuffmanTable* runCodes = nullptr;
    JB2_Error status = ReadRunCodeTable(&runCodes, memory, reader, message);
    uint8_t* lengths = nullptr;
    if (status == cJB2_Error_OK && symbols > 0) {
        lengths = JB2MemoryAllocArray<uint8_t>(memory, symbols);
        if (!lengths)
            status = cJB2_Error_Allocation_Failure;
    }
    if (status == cJB2_Error_OK)
        status = DecodeCodeLengths(reader, runCodes, lengths, symbols);
    if (status == cJB2_Error_OK) {
        JB2BitReaderAlign(reader);
        status = BuildSymbolIDTable(out, memory, lengths, symbols, message);
    }
    if (status == cJB2_Error_Allocation_Failure)
        JB2MessageError(message, "Unable to create symbol id huffman table decoder!");
    if (runCodes)
        Huffman_Table_End(&runCodes, memory);
    if (lengths)
        JB2MemoryFree(memory, &lengths);
    if (status != cJB2_Error_OK && *out)
        Huffman_Table_End(out, memory);
    return status;
}

}  // namespace ZAV

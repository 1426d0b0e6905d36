#include "jbig2codec/huffman/JB2HuffmanTable.h"

#include <algorithm>

#include "jbig2codec/support/JB2Limits.h"

namespace ZAV {

namespace {

// The three special lines close every table.
constexpr uint32_t kSpecialLines = 3;

JB2_Error Invalid(JB2Message* message, const char* text)
{
    return JB2Fail(message, cJB2_Error_Invalid_Huffman_Table, "%s", text);
}

uint64_t RangeEnd(const JB2HuffmanEntry& e)
{
    return uint64_t(int64_t(e.rangeLow) + (int64_t(1) << e.rangeLength));
}

// The range checks of a table's lines, before any code is assigned.
JB2_Error CheckRanges(const JB2HuffmanTable* t, JB2Message* message)
{
    const uint32_t n = t->count;
    if (n < kSpecialLines)
        return Invalid(message, "Invalid huffman table -- not enough entries!");
    const JB2HuffmanEntry& lower = t->entries[n - 3];
    const JB2HuffmanEntry& upper = t->entries[n - 2];
    if (lower.rangeLength != 32)
        return Invalid(message, "Invalid huffman table -- lower range entry must have 32 bit range!");
    if (lower.prefixLength) {
        if (n >= 4 && int64_t(lower.rangeLow) + 1 != t->entries[0].rangeLow)
            return Invalid(message, "Invalid huffman table -- lower range entry must cover range before first entry!");
        if (n == 3 && upper.prefixLength && int64_t(lower.rangeLow) + 1 != upper.rangeLow)
            return Invalid(message, "Invalid huffman table -- lower range entry must cover range before higher range!");
    }
    if (upper.rangeLength != 32)
        return Invalid(message, "Invalid huffman table -- upper range entry must have 32 bit range!");
    if (upper.prefixLength && n > 3 && int64_t(RangeEnd(t->entries[n - 4])) < upper.rangeLow)
        return Invalid(message, "Invalid huffman table -- upper range entry must cover range after last entry!");
    for (uint32_t i = 1; n > 4 && i + kSpecialLines < n; ++i) {
        const JB2HuffmanEntry& previous = t->entries[i - 1];
        if (previous.rangeLength > 31 || int64_t(RangeEnd(previous)) != t->entries[i].rangeLow)
            return Invalid(message, "Invalid huffman table -- incorrect range for entry!");
    }
    return cJB2_Error_OK;
}

// Prefix codes by T.88 B.3: codes of one length are consecutive in entry
// order, and each length starts where the shorter ones left off.
void AssignCodes(JB2HuffmanTable* t)
{
    uint32_t lengthCount[33] = {};
    for (uint32_t i = 0; i < t->count; ++i)
        ++lengthCount[t->entries[i].prefixLength];
    lengthCount[0] = 0;
    uint64_t firstCode = 0;
    for (uint32_t length = 1; length <= 32; ++length) {
        firstCode = (firstCode + lengthCount[length - 1]) << 1;
        uint64_t code = firstCode;
        for (uint32_t i = 0; i < t->count; ++i)
            if (t->entries[i].prefixLength == length)
                t->entries[i].code = uint32_t(code++);
    }
}

void AssignKinds(JB2HuffmanTable* t)
{
    for (uint32_t i = 0; i < t->count; ++i) {
        JB2HuffmanEntry& e = t->entries[i];
        if (e.prefixLength == 0)
            e.kind = cJB2_Huffman_Absent;
        else if (i == t->count - 1)
            e.kind = cJB2_Huffman_OOB;
        else if (i == t->count - 2)
            e.kind = cJB2_Huffman_Upper;
        else if (i == t->count - 3)
            e.kind = cJB2_Huffman_Lower;
        else
            e.kind = cJB2_Huffman_Normal;
    }
}

int32_t NewNode(JB2HuffmanTable* t)
{
    JB2HuffmanNode& node = t->nodes[t->nodeCount];
    node.child[0] = node.child[1] = node.entry = -1;
    return int32_t(t->nodeCount++);
}

// Follows each used entry's code from the root, most significant bit first.
JB2_Error BuildTree(JB2HuffmanTable* t, JB2Memory* memory, JB2Message* message)
{
    uint64_t nodes = 1;
    for (uint32_t i = 0; i < t->count; ++i)
        nodes += t->entries[i].prefixLength;
    t->nodes = JB2MemoryAllocArray<JB2HuffmanNode>(memory, nodes);
    if (!t->nodes) {
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate huffman tree!");
    }
    NewNode(t);
    for (uint32_t i = 0; i < t->count; ++i) {
        const JB2HuffmanEntry& e = t->entries[i];
        int32_t node = 0;
        for (uint32_t b = e.prefixLength; b > 0; --b) {
            if (t->nodes[node].entry >= 0)
                return Invalid(message, "Unable to build huffman tree!");
            const uint32_t bit = (e.code >> (b - 1)) & 1;
            if (t->nodes[node].child[bit] < 0) {
                const int32_t child = NewNode(t);
                t->nodes[node].child[bit] = child;
            }
            node = t->nodes[node].child[bit];
        }
        if (e.prefixLength == 0)
            continue;
        const JB2HuffmanNode& leaf = t->nodes[node];
        if (leaf.entry >= 0 || leaf.child[0] >= 0 || leaf.child[1] >= 0)
            return Invalid(message, "Unable to build huffman tree!");
        t->nodes[node].entry = int32_t(i);
    }
    return cJB2_Error_OK;
}

}  // namespace

JB2_Error Huffman_Table_Create(JB2HuffmanTable** out, JB2Memory* memory, JB2Message* message)
{
    if (!out)
        return cJB2_Error_Internal;
    *out = JB2MemoryNew<JB2HuffmanTable>(memory);
    if (!*out) {
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate huffman table object!");
    }
    return cJB2_Error_OK;
}

JB2_Error Huffman_Table_Add_Entry(JB2HuffmanTable* t, JB2Memory* memory, uint32_t prefixLength, uint32_t rangeLength,
                                  int32_t rangeLow, JB2Message* message)
{
    if (!t || t->finished || rangeLength > 32)
        return cJB2_Error_Internal;
    if (prefixLength > 32) {
        return JB2Fail(message, cJB2_Error_Not_Yet_Supported,
                       "Unable to create huffman table entries with prefixes longer than 32 bits!");
    }
    if (t->count == t->capacity) {
        // Doubling: a table read from the data may have hundreds of thousands of lines.
        const uint64_t grown = uint64_t(t->capacity) + std::max<uint64_t>(t->capacity, kJB2HuffmanEntryGrowth);
        JB2_Error status = Huffman_Table_Reserve(t, memory, grown, message);
        if (status != cJB2_Error_OK)
            return status;
    }
    t->entries[t->count++] = JB2HuffmanEntry{uint8_t(prefixLength), uint8_t(rangeLength), rangeLow, 0, 0};
    return cJB2_Error_OK;
}

JB2_Error Huffman_Table_Reserve(JB2HuffmanTable* t, JB2Memory* memory, uint64_t count, JB2Message* message)
{
    if (!t)
        return cJB2_Error_Internal;
    if (count <= t->capacity)
        return cJB2_Error_OK;
    void* entries = count > UINT32_MAX
                        ? nullptr
                        : JB2MemoryGrow(memory, t->entries, uint64_t(t->capacity) * sizeof(JB2HuffmanEntry),
                                        count * sizeof(JB2HuffmanEntry));
    if (!entries) {
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate huffman table entries!");
    }
    t->entries = static_cast<JB2HuffmanEntry*>(entries);
    t->capacity = uint32_t(count);
    return cJB2_Error_OK;
}

JB2_Error Huffman_Table_Finish(JB2HuffmanTable* t, JB2Memory* memory, JB2Message* message)
{
    if (!t || t->finished)
        return cJB2_Error_Internal;
    JB2_Error status = CheckRanges(t, message);
    if (status != cJB2_Error_OK)
        return status;
    AssignCodes(t);
    AssignKinds(t);
    t->finished = 1;
    return BuildTree(t, memory, message);
}

JB2_Error Huffman_Table_End(JB2HuffmanTable** holder, JB2Memory* memory)
{
    if (!holder || !*holder)
        return cJB2_Error_Internal;
    JB2HuffmanTable* t = *holder;
    if (t->entries)
        JB2MemoryFree(memory, &t->entries);
    if (t->nodes)
        JB2MemoryFree(memory, &t->nodes);
    *holder = nullptr;
    return JB2MemoryFree(memory, &t);
}

JB2_Error Huffman_Decode_Value(JB2BitReader* reader, const JB2HuffmanTable* t, int32_t* value, uint8_t* oob)
{
    if (!reader || !t || !t->nodes || !value || !oob)
        return cJB2_Error_Internal;
    *value = 0;
    *oob = 0;
    int32_t node = 0;
    while (t->nodes[node].entry < 0) {
        node = t->nodes[node].child[JB2BitReaderRead(reader, 1)];
        // A code the table lacks, or data that ran out inside a code.
        if (node < 0)
            return cJB2_Error_Invalid_Huffman_Table;
        if (JB2BitReaderOverrun(reader))
            return cJB2_Error_Invalid_Segment_Data;
    }
    const JB2HuffmanEntry& e = t->entries[t->nodes[node].entry];
    if (e.kind == cJB2_Huffman_OOB) {
        *oob = 1;
        return cJB2_Error_OK;
    }
    const int64_t offset = JB2BitReaderRead(reader, e.rangeLength);
    if (JB2BitReaderOverrun(reader))
        return cJB2_Error_Invalid_Segment_Data;
    const int64_t result = e.kind == cJB2_Huffman_Lower ? int64_t(e.rangeLow) - offset : int64_t(e.rangeLow) + offset;
    if (result < INT32_MIN || result > INT32_MAX)
        return cJB2_Error_Invalid_Segment_Data;
    *value = int32_t(result);
    return cJB2_Error_OK;
}

void Huffman_Skip_Bytes(JB2BitReader* reader, uint64_t count)
{
    for (; count >= 2; count -= 2)
        JB2BitReaderRead(reader, 16);
    if (count)
        JB2BitReaderRead(reader, 8);
}

}  // namespace ZAV

// Ceilings the codec applies to values read from JBIG2 data, so that no
// file can drive an allocation or a loop beyond what real documents need.
#pragma once

#include <cstdint>

namespace ZAV {

// The allocation callback takes a 32-bit size; nothing larger can be asked for.
constexpr uint64_t kJB2MaxAllocationBytes = 0xFFFFFFFFull;

// A segment's referred-to count may by syntax reach 2^29 - 1; real files
// refer to a handful, and the header arrays are sized from it.
constexpr uint32_t kJB2MaxReferredToSegments = 1u << 20;

// The largest referred-to count the long header form can hold.
constexpr uint32_t kJB2MaxReferredToCountField = 0x1FFFFFFFu;

// Bytes kept for one formatted message or one formatted piece of output.
constexpr uint32_t kJB2TextBufferSize = 1024;

// Longest piece of a message handed to the message callback at once.
constexpr uint32_t kJB2MessagePieceLength = 67;

// Bytes of the write bits object's buffer, flushed when full.
constexpr uint32_t kJB2WriteBitsBufferSize = 1024;

// Default block size of a data cache when none is given.
constexpr uint32_t kJB2DefaultCacheBlockSize = 1024;

// Block table and block store both grow by this many entries at a time.
constexpr uint32_t kJB2CacheGrowth = 32;

// Segment data is copied between caches and targets in pieces of this size.
constexpr uint32_t kJB2SegmentCopyChunk = 4096;

// The segment array grows by this many entries at a time.
constexpr uint32_t kJB2SegmentArrayGrowth = 8;

// Largest page buffer a decompression allocates: an A0 page at 1,200 dpi
// takes about 280 MB; a page information segment asking for more is absurd.
constexpr uint64_t kJB2MaxPageBufferBytes = 1ull << 29;

// Pixels a region may make the decoder code, against its page: four times
// the page, or this many on small pages. Every pixel of a region row must be
// decoded even where it falls off the page, so a region far larger than its
// page would only cost time.
constexpr uint64_t kJB2RegionWorkPerPage = 4;
constexpr uint64_t kJB2MinRegionWork = 1ull << 24;

// Most segments one file may hold: a thousand-page document of text regions
// needs a few tens of thousands; each costs memory beyond its header bytes.
constexpr uint32_t kJB2MaxSegments = 1u << 18;

// Integer procedures code signed 32-bit values; larger magnitudes are corrupt.
constexpr uint64_t kJB2MaxCodedInteger = 0x7FFFFFFF;

// Symbol codes longer than this would use the contexts of other procedures.
constexpr uint32_t kJB2MaxSymbolCodeLength = 15;

// Widest region or bitmap the coders take: a 600 dpi scan 1,700 inches wide.
// Keeps the ring of context lines (129 lines) within a few hundred megabytes.
constexpr uint32_t kJB2MaxRegionWidth = 1u << 20;
// Tallest region or bitmap: the same 1,700 inches at 600 dpi. Decoders keep a
// few spare bytes a row, so a narrow region of 2^30 rows would need gigabytes.
constexpr uint32_t kJB2MaxRegionHeight = 1u << 20;

// Most pixels of one region or bitmap: more than an A0 page at 600 dpi. The
// arithmetic coder can produce any number of pixels from a few bytes, so
// this bounds the work a file can ask for.
constexpr uint64_t kJB2MaxRegionPixels = 1ull << 30;
// A halftone cell costs a gray decode and a placement whatever its pattern's
// size, so each counts as at least this many pixels against the bound above:
// 4 million cells, twice an A4 page at 600 dpi in cells of 4 x 4.
constexpr uint64_t kJB2HalftoneCellCost = 256;

// A Huffman table's line list starts with room for this many lines and
// then doubles, so that a table of n lines costs O(n) copies.
constexpr uint32_t kJB2HuffmanEntryGrowth = 32;

// A user table line's range length: larger ranges cannot be added to a
// 32-bit running low value without leaving the values a table can code.
constexpr uint32_t kJB2MaxHuffmanRangeLength = 31;

// A symbol array starts with room for this many symbols and then doubles,
// so that a dictionary of n symbols costs O(n) copies.
constexpr uint32_t kJB2SymbolArrayGrowth = 100;

// A symbol instance array grows by this many instances at a time.
constexpr uint32_t kJB2SymbolInstanceGrowth = 8;

// Most new symbols one symbol dictionary may declare: a dictionary shared by
// a long book holds some tens of thousands; a count beyond this is corrupt.
constexpr uint32_t kJB2MaxDictionarySymbols = 1u << 20;

// Work a symbol dictionary may ask for against its coded bytes: the
// arithmetic coder can make any number of symbols and pixels from a few
// bytes. Every symbol costs at least one bit of its delta width; real
// dictionaries code a few hundred pixels per byte. Small dictionaries get
// the minimum region work.
constexpr uint64_t kJB2SymbolsPerCodedByte = 8;
constexpr uint64_t kJB2DictionaryPixelsPerCodedByte = 1024;

// Symbol dictionaries refer to dictionaries before them; a chain deeper
// than this is not a real document and would only use up the stack.
constexpr uint32_t kJB2MaxDictionaryDepth = 64;

// Copies of coded data are this many bytes longer than the data, as the
// MMR decoder reads whole words.
constexpr uint32_t kJB2CodedDataSlack = 7;

// Widest pattern: the generic coder reads its A1 pixel HDPW pixels to the
// left, inside the 128-pixel margin of its line buffers.
constexpr uint32_t kJB2MaxPatternWidth = 128;

// Runs of a page are kept in blocks of this many: a text page holds some
// tens of thousands.
constexpr uint32_t kJB2RunBlockSize = 1024;

// Components fit to become symbols: a glyph at scanning resolutions, neither
// a stray dot nor a picture.
constexpr uint32_t kJB2SymbolMaxSide = 500;
constexpr uint32_t kJB2SymbolMinPixels = 4;
constexpr uint32_t kJB2SymbolMaxPixels = 1000;

}  // namespace ZAV

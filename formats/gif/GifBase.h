// CGIFBase: the LZW code-stream half shared by the GIF decoder and encoder:
// the code reader with its string tables (decoding), and the three code
// writers (plain codes, LZW with a hash table, run lengths). The byte
// supply, the row sink, the pixel feed and the byte sink are the derived
// class's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ZAV {

// GIF89a appendix F: codes are at most 12 bits wide, so 4096 of them.
constexpr int kGifMaxCodes = 4096;
constexpr int kGifMaxCodeBits = 12;
constexpr int kGifReadBufferBytes = 16384;
// Values the LZW decoder returns besides 0.
constexpr int kGifBadCodeSize = -20;

// The code masks 2^k - 1 for k = 0..16, shared by the reader and writers.
extern const uint32_t kGifCodeMasks[17];

// The run-length writer's state (one run being collected, the run table).
struct GifRunState {
    int pixel = 0;
    int count = 0;
    int tablePixel = 0;
    int tableLength = 0;
    int baseCode = 0;
    int initialBits = 0;
    int bump = 0;
    int bumpInitial = 0;
    int clearPoint = 0;
    int clearInitial = 0;
    int outCount = 0;
    int maxOutCount = 0;
    bool justCleared = true;
};

class CGIFBase {
public:
    CGIFBase();
    virtual ~CGIFBase();
    CGIFBase(const CGIFBase&) = delete;
    CGIFBase& operator=(const CGIFBase&) = delete;

protected:
    // ---- decoding ----
    // Up to count bytes of the frame's code data into buffer; the number
    // given, 0 at the end of the data.
    virtual size_t FillCodeBuffer(uint8_t* buffer, size_t count) = 0;
    // One decoded row of count pixel bytes; a negative result stops decoding.
    virtual int WriteDecodedRow(const uint8_t* pixels, int count) = 0;
    // Empties the input buffer before a frame's data is read.
    void ResetCodeReader();
    // Decodes one frame's code stream (its minimum-code-size byte first)
    // into rows of lineWidth pixels; 0, or the negative value that stopped it.
    int DecodeLzw(int lineWidth);

    // ---- encoding ----
    // The next pixel, or -1 after the last one.
    virtual int NextPixel() = 0;
    virtual void WriteOutput(const uint8_t* bytes, size_t count) = 0;
    // Every pixel as its own code: no compression.
    void WritePlainCodes(int initialBits);
    // LZW with the 5003-entry hash table.
    void WriteLzwCodes(int initialBits);
    // Runs of equal pixels coded without a string table.
    void WriteRunLengthCodes(int initialBits);

private:
    int NextCodeByte();
    int NextCode();
    int ReadCodeSize();
    // The row being filled and the decoder's string state.
    struct GifLzwLine {
        std::vector<uint8_t> pixels;
        int fill = 0;
        int width = 0;
        int oldCode = -1;
        int firstChar = 0;
    };
    int DecodeCodes(GifLzwLine& line);
    int DecodeAfterClear(GifLzwLine& line);
    int DecodeFirstCode(int code, GifLzwLine& line);
    int DecodeStringCode(int c, GifLzwLine& line);
    int PushPixel(uint8_t pixel, GifLzwLine& line);

    void StartCodeOutput(int initialBits, size_t blockLimit);
    // The code into the bit accumulator, whole bytes into blocks.
    void EmitCode(int code);
    // EmitCode, then the width step of the plain and LZW writers.
    void OutputCode(int code);
    void FinishCodeOutput();
    void FlushOutputBlock();
    void AdjustCodeWidth();
    void ClearHashTable();

    void ResetRunState();
    void RunOutputPlain(int code);
    void RunFlush();
    void RunFlushFromClear(int count);
    void RunFlushWithTable(int count);
    void RunFlushClearOrRepeat(int count);
    void RunWriteClear();
    void RunRestoreClearPoint();
    int RunTriangle(int count) const;

    // Code reader.
    std::vector<uint8_t> m_readBuffer;
    size_t m_readFill = 0;
    size_t m_readPosition = kGifReadBufferBytes + 1;
    int m_codeSize = 0;
    int m_codeBits = 0;
    int m_clearCode = 0;
    int m_endCode = 0;
    int m_firstFree = 0;
    int m_topSlot = 0;
    int m_nextSlot = 0;
    int m_blockBytesLeft = 0;
    int m_bitsLeft = 0;
    uint32_t m_currentByte = 0;
    uint8_t m_block[256] = {};
    int m_blockPosition = 0;
    std::vector<uint8_t> m_stack;
    std::vector<uint8_t> m_suffix;
    std::vector<uint16_t> m_prefix;

    // Code writers.
    uint32_t m_accumulator = 0;
    int m_accumulatorBits = 0;
    int m_outBits = 0;
    int m_maxCode = 0;
    int m_freeCode = 0;
    bool m_clearFlag = false;
    int m_initialBits = 0;
    int m_outClear = 0;
    int m_outEnd = 0;
    size_t m_blockLimit = 0;
    std::vector<uint8_t> m_outBlock;
    std::vector<int32_t> m_hashKeys;
    std::vector<uint16_t> m_hashCodes;
    GifRunState m_run;
};

}  // namespace ZAV

// CPackBitsEncoder: PackBits run-length coding (the coding of TIFF
// compression 32773 and of PDF /RunLengthDecode data) of a byte buffer,
// chunk by chunk, written to a data source through a buffer of 100000
// bytes. A count byte n of 0 to 127 is followed by n + 1 literal bytes; a
// count of -1 to -127 by one byte repeated 1 - n times; -128 is not made.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ZAV {

class IDataSource;

class CPackBitsEncoder {
public:
    // Chunks are coded on their own: no run or literal crosses a chunk end
    // (a chunk length of one row keeps the rows apart).
    CPackBitsEncoder(const uint8_t* input, size_t inputLength, size_t chunkLength, IDataSource* target);

    // Throws CTextException "Can't write to datasource!" when a write fails.
    void Encode();

private:
    enum State { kBase, kLiteral, kRun, kLiteralRun };

    void EncodeChunk(const uint8_t* chunk, size_t length);
    void MakeRoom();
    void Put(uint8_t byte);
    void StartLiteral(uint8_t byte);
    void EmitRun(uint8_t byte, size_t count);
    // Handles one byte of a run of count equal bytes in the current state;
    // false when the same byte must be handled again in the new state.
    bool Step(uint8_t byte, size_t count);
    void WriteOut(size_t count);

    const uint8_t* m_input;
    size_t m_inputLength;
    size_t m_chunkLength;
    IDataSource* m_target;
    std::vector<uint8_t> m_buffer;
    size_t m_position = 0;
    State m_state = kBase;
    // Where the current literal's count byte is in the buffer.
    size_t m_literal = 0;
    // The count of the last run emitted.
    size_t m_lastRun = 0;
};

}  // namespace ZAV

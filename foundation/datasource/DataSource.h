// The byte stream under every reader and writer: a file, a read-only mapped
// file, a caller's memory block, caller-supplied callbacks, or a growing
// output-only buffer ("eBinStreamIO").
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "foundation/containers/ChunkBuffer.h"
#include "foundation/datasource/DataSourceBackEnd.h"
#include "foundation/datasource/DataSourceDXFStream.h"
#include "foundation/datasource/IDataSource.h"
#include "foundation/IProgressNotification.h"
#include "foundation/text/String.h"
#include "platform/files/FileMapping.h"

namespace ZAV {

enum EDataSourceKind {
    eNoDataSource = 0,
    eFileIO = 1,
    eMappedFileIO = 2,
    eMemoryIO = 3,
    eCallbackIO = 4,
    eBinStreamIO = 5
};

// The callbacks of a callback stream; each receives the user value given to
// OpenCallbacks. A missing callback makes its operation report 0 or false.
struct CDataSourceCallbacks {
    // Returns the number of bytes read.
    size_t (*read)(void* buffer, size_t count, void* user) = nullptr;
    // Returns the number of bytes written.
    size_t (*write)(const void* data, size_t count, void* user) = nullptr;
    // Origin as for fseek; returns true on success.
    bool (*seek)(int64_t offset, int origin, void* user) = nullptr;
    uint64_t (*tell)(void* user) = nullptr;
    uint64_t (*length)(void* user) = nullptr;
    bool (*isEof)(void* user) = nullptr;
    bool (*close)(void* user) = nullptr;
};

// The back end a data source works on; shared when one data source is made
// to act on another's back end.
struct CDataSourceState {
    static constexpr uint32_t kFirstMarker = 0x03031996;
    static constexpr uint32_t kLastMarker = 0x09241996;
    static constexpr size_t kInitialReadBuffer = 10240;

    uint32_t firstMarker = 0;
    FILE* stream = nullptr;
    int kind = eNoDataSource;
    // The operations of the kind, chosen when the source is opened.
    const CDataSourceBackEnd* backEnd = &kNoDataSourceBackEnd;
    unsigned char* base = nullptr;
    uint64_t size = 0;
    uint64_t position = 0;
    uint64_t writtenSize = 0;
    std::string name;
    bool writeMode = false;
    // The C library needs a flush or seek between writing and reading a
    // stream opened for both; this remembers which came last.
    bool lastWasWrite = false;
    uint64_t bytesRead = 0;
    std::unique_ptr<unsigned char[]> readBuffer;
    size_t readBufferCapacity = 0;
    MappedFileView mapping;
    CDataSourceCallbacks callbacks;
    void* user = nullptr;
    uint32_t lastMarker = 0;
};

class CDataSource : public IDataSource {
public:
    explicit CDataSource(IProgressNotification* progress = nullptr);
    ~CDataSource() override;
    CDataSource(const CDataSource&) = delete;
    CDataSource& operator=(const CDataSource&) = delete;

    // Opens; each returns false with a reason in GetErrorText on failure.
    bool OpenFile(const char* name);
    bool OpenFileForWriting(const char* name, bool update);
    bool OpenMapped(const char* name);
    bool OpenMemory(const void* data, size_t size);
    bool OpenMemoryForWriting(void* data, size_t capacity);
    bool OpenBinStream();
    bool OpenCallbacks(const CDataSourceCallbacks& callbacks, void* user, bool forWriting);

    bool Close();

    // IDataSource
    const unsigned char* ReadBlock(size_t count) override;
    const unsigned char* ReadAvailable(size_t& count) override;
    const unsigned char* ReadByte() override;
    const unsigned char* ReadWord() override;
    const unsigned char* ReadDWord() override;
    bool Write(const void* data, size_t count) override;
    void WriteChecked(const void* data, size_t count) override;
    void WriteByte(unsigned char byte) override;

    // Makes this data source act on the other's back end and read buffer.
    virtual void ShareState(CDataSource& other);

    size_t Read(void* buffer, size_t count);
    bool Write(const void* data, size_t itemSize, size_t count);
    // Origin 0 from the start, 1 from the current position, 2 from the end.
    // Data held in memory for reading is positioned and measured in place,
    // without a call through the back end: parsers step back and forth often.
    bool Seek(int64_t offset, int origin)
    {
        CDataSourceState& s = *m_state;
        if (origin != 0 || !ReadsMemory())
            return SeekThroughBackEnd(offset, origin);
        if (offset < 0 || static_cast<uint64_t>(offset) > s.size)
            return false;
        s.position = static_cast<uint64_t>(offset);
        return true;
    }
    uint64_t GetPosition() { return ReadsMemory() ? m_state->position : PositionThroughBackEnd(); }
    uint64_t GetLength() { return ReadsMemory() ? m_state->size : LengthThroughBackEnd(); }
    bool IsEof();
    bool HasMoreData();
    // The next byte, or -1 at the end of the data. Data held in memory for
    // reading, with no progress to report, is read in place: parsers read
    // byte by byte.
    int ReadNextByte()
    {
        CDataSourceState& s = *m_state;
        if (!m_progress && ReadsMemory()) {
            if (s.position >= s.size)
                return -1;
            ++s.bytesRead;
            return s.base[s.position++];
        }
        if (!HasMoreData())
            return -1;
        const unsigned char* byte = ReadByte();
        return byte ? *byte : -1;
    }

    int GetKind() const { return m_state->kind; }
    const char* GetFileName() const { return m_state->name.c_str(); }
    const unsigned char* GetMemory() const { return m_state->base; }
    uint64_t GetMemorySize() const { return m_state->size; }
    CChunkBuffer& GetBinStream() { return m_chunks; }
    const char* GetErrorText() const { return m_lastError.GetText(); }
    Storage::Out& GetTextWriter() { return m_textWriter; }

    // Makes the read buffer hold at least count bytes; its old contents go.
    void ReserveReadBuffer(size_t count);
    void NotifyProgress(double fraction);
    // The text's bytes through WriteChecked; an empty text writes nothing.
    void WriteString(const String& text);

private:
    bool ReadsMemory() const
    {
        const CDataSourceState& s = *m_state;
        return s.base && !s.writeMode && (s.kind == eMemoryIO || s.kind == eMappedFileIO);
    }
    bool SeekThroughBackEnd(int64_t offset, int origin);
    uint64_t PositionThroughBackEnd();
    uint64_t LengthThroughBackEnd();
    bool Fail(const char* text);
    void StartOpen();
    // Forgets the previous stream, name, block and positions before a new open.
    void ResetBackEnd();
    void FinishOpen(int kind, bool writeMode);
    void AttachMemory(unsigned char* data, uint64_t size, bool writeMode);
    bool KnownRemaining(uint64_t& remaining);
    void CountRead(size_t count);
    bool MapFile(const char* name, MappedFileView& view);
    bool CheckName(const char* name);

    String m_lastError;
    IProgressNotification* m_progress;
    std::shared_ptr<CDataSourceState> m_state;
    CDataSourceDXFStream m_textWriter;
    CChunkBuffer m_chunks;
};

}  // namespace ZAV

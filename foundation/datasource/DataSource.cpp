#include "foundation/datasource/DataSource.h"

#include "foundation/FoundationLimits.h"
#include "foundation/text/TextException.h"
#include "platform/CrtShims.h"
#include "platform/LastError.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <sys/stat.h>

namespace ZAV {

namespace {

const char* const kEndOfFile = "End of file reached while decoding.\n";

const int kCodeEndOfFile = 11;
const int kCodeReadBuffer = 15;
const int kCodeWriteFailed = 30;

}  // namespace

CDataSource::CDataSource(IProgressNotification* progress)
    : m_progress(progress), m_state(std::make_shared<CDataSourceState>()), m_textWriter(*this),
      m_chunks(CChunkBuffer::kDefaultChunkSize)
{
    ReserveReadBuffer(CDataSourceState::kInitialReadBuffer);
}

CDataSource::~CDataSource()
{
    Close();
}

void CDataSource::ShareState(CDataSource& other)
{
    m_state = other.m_state;
}

bool CDataSource::Fail(const char* text)
{
    m_lastError = String(text);
    return false;
}

void CDataSource::StartOpen()
{
    // A data source opened again lets go of what it had open.
    Close();
    m_lastError = String("");
}

void CDataSource::ResetBackEnd()
{
    CDataSourceState& s = *m_state;
    s.stream = nullptr;
    s.name.clear();
    s.base = nullptr;
    s.size = 0;
    s.position = 0;
    s.writtenSize = 0;
}

void CDataSource::FinishOpen(int kind, bool writeMode)
{
    CDataSourceState& s = *m_state;
    s.kind = kind;
    s.backEnd = &DataSourceBackEndFor(kind);
    s.writeMode = writeMode;
    s.lastWasWrite = false;
    s.bytesRead = 0;
    s.firstMarker = CDataSourceState::kFirstMarker;
    s.lastMarker = CDataSourceState::kLastMarker;
}

bool CDataSource::CheckName(const char* name)
{
    if (!name || !*name || std::strlen(name) > kMaxFileNameLength)
        return Fail("Invalid Filename!");
    return true;
}

bool CDataSource::OpenFile(const char* name)
{
    StartOpen();
    if (!CheckName(name))
        return false;
    FILE* stream = nullptr;
    if (fopen_s(&stream, name, "rb") != 0 || !stream)
        return Fail(GetSystemErrorText(GetLastError()));
    struct stat info;
    if (fstat(fileno(stream), &info) == 0 && S_ISDIR(info.st_mode)) {
        // The C library opens a folder for reading; nothing can be read from it.
        std::fclose(stream);
        SetLastError(ERROR_ACCESS_DENIED);
        return Fail(GetSystemErrorText(ERROR_ACCESS_DENIED));
    }
    ResetBackEnd();
    CDataSourceState& s = *m_state;
    s.stream = stream;
    s.name = name;
    FinishOpen(eFileIO, false);
    s.size = CurrentFileLength(s);
    return true;
}

bool CDataSource::OpenFileForWriting(const char* name, bool update)
{
    StartOpen();
    if (!CheckName(name))
        return false;
    FILE* stream = nullptr;
    if (fopen_s(&stream, name, update ? "rb+" : "wb+") != 0 || !stream)
        return Fail(GetSystemErrorText(GetLastError()));
    ResetBackEnd();
    CDataSourceState& s = *m_state;
    s.stream = stream;
    s.name = name;
    FinishOpen(eFileIO, true);
    return true;
}

bool CDataSource::MapFile(const char* name, MappedFileView& view)
{
    switch (MapFileReadOnly(name, view)) {
    case FileMapStep::Done:
        return true;
    case FileMapStep::OpenFailed:
        switch (GetLastError()) {
        case ERROR_FILE_NOT_FOUND:
            return Fail("File not found!");
        case ERROR_PATH_NOT_FOUND:
            return Fail("Path not found!");
        case ERROR_ACCESS_DENIED:
            return Fail("Access denied!");
        case ERROR_SHARING_VIOLATION:
            return Fail("Sharing violation!");
        default: {
            String text;
            text.Format("Error %d", static_cast<int>(GetLastError()));
            m_lastError = text;
            return false;
        }
        }
    case FileMapStep::MappingFailed:
        return Fail("Error CreateFileMapping! Maybe the file is empty!");
    case FileMapStep::ViewFailed:
        // A view that cannot be made is reported like a file that may not be read.
        break;
    }
    return Fail("Access denied!");
}

bool CDataSource::OpenMapped(const char* name)
{
    StartOpen();
    if (!CheckName(name))
        return false;
    MappedFileView view;
    if (!MapFile(name, view))
        return false;
    AttachMemory(const_cast<unsigned char*>(view.data), view.size, false);
    CDataSourceState& s = *m_state;
    s.mapping = view;
    s.name = name;
    FinishOpen(eMappedFileIO, false);
    return true;
}

void CDataSource::AttachMemory(unsigned char* data, uint64_t size, bool writeMode)
{
    ResetBackEnd();
    CDataSourceState& s = *m_state;
    s.base = data;
    s.size = size;
    FinishOpen(eMemoryIO, writeMode);
}

bool CDataSource::OpenMemory(const void* data, size_t size)
{
    StartOpen();
    if (!data || size == 0)
        return Fail("Invalid Memory!");
    // Never written through: the write mode is off for this block.
    AttachMemory(static_cast<unsigned char*>(const_cast<void*>(data)), size, false);
    return true;
}

bool CDataSource::OpenMemoryForWriting(void* data, size_t capacity)
{
    StartOpen();
    if (!data || capacity == 0)
        return Fail("Invalid Memory!");
    AttachMemory(static_cast<unsigned char*>(data), capacity, true);
    return true;
}

bool CDataSource::OpenBinStream()
{
    StartOpen();
    ResetBackEnd();
    m_chunks.Reset();
    FinishOpen(eBinStreamIO, true);
    return true;
}

bool CDataSource::OpenCallbacks(const CDataSourceCallbacks& callbacks, void* user, bool forWriting)
{
    StartOpen();
    ResetBackEnd();
    CDataSourceState& s = *m_state;
    s.callbacks = callbacks;
    s.user = user;
    FinishOpen(eCallbackIO, forWriting);
    // Progress is reported against the length the callbacks know.
    s.size = GetLength();
    return true;
}

bool CDataSource::Close()
{
    CDataSourceState& s = *m_state;
    return s.backEnd->close(s);
}

size_t CDataSource::Read(void* buffer, size_t count)
{
    if (count == 0)
        return 0;
    CDataSourceState& s = *m_state;
    return s.backEnd->read(s, buffer, count);
}

bool CDataSource::Write(const void* data, size_t count)
{
    return Write(data, 1, count);
}

bool CDataSource::Write(const void* data, size_t itemSize, size_t count)
{
    CDataSourceState& s = *m_state;
    if (!s.writeMode)
        return false;
    uint64_t bytes = static_cast<uint64_t>(itemSize) * count;
    if (count != 0 && bytes / count != itemSize)
        return false;
    return s.backEnd->write(s, m_chunks, data, itemSize, count);
}

void CDataSource::WriteChecked(const void* data, size_t count)
{
    if (!Write(data, count))
        throw CTextException(kCodeWriteFailed, "Error writing to file!");
}

void CDataSource::WriteByte(unsigned char byte)
{
    WriteChecked(&byte, 1);
}

void CDataSource::WriteString(const String& text)
{
    if (text.GetLength() > 0)
        WriteChecked(text.GetText(), text.GetLength());
}

bool CDataSource::SeekThroughBackEnd(int64_t offset, int origin)
{
    CDataSourceState& s = *m_state;
    return s.backEnd->seek(s, offset, origin);
}

uint64_t CDataSource::PositionThroughBackEnd()
{
    CDataSourceState& s = *m_state;
    return s.backEnd->position(s, m_chunks);
}

uint64_t CDataSource::LengthThroughBackEnd()
{
    CDataSourceState& s = *m_state;
    return s.backEnd->length(s, m_chunks);
}

bool CDataSource::IsEof()
{
    CDataSourceState& s = *m_state;
    return s.backEnd->isEof(s);
}

bool CDataSource::HasMoreData()
{
    CDataSourceState& s = *m_state;
    return s.backEnd->hasMoreData(s);
}

void CDataSource::ReserveReadBuffer(size_t count)
{
    CDataSourceState& s = *m_state;
    if (s.readBufferCapacity >= count)
        return;
    s.readBuffer.reset();
    s.readBufferCapacity = 0;
    s.readBuffer.reset(new (std::nothrow) unsigned char[count]);
    if (!s.readBuffer)
        throw CTextException(kCodeReadBuffer, "Error allocating read-buffer");
    s.readBufferCapacity = count;
}

void CDataSource::NotifyProgress(double fraction)
{
    if (m_progress)
        m_progress->OnProgress(fraction);
}

void CDataSource::CountRead(size_t count)
{
    CDataSourceState& s = *m_state;
    uint64_t before = s.bytesRead / 1024;
    s.bytesRead += count;
    if (s.bytesRead / 1024 != before && m_progress) {
        double size = static_cast<double>(s.size);
        NotifyProgress(size > 0 ? static_cast<double>(s.bytesRead) / size : 0.0);
    }
}

bool CDataSource::KnownRemaining(uint64_t& remaining)
{
    if (!m_state->backEnd->lengthKnown(*m_state))
        return false;
    const uint64_t length = GetLength();
    const uint64_t position = GetPosition();
    remaining = position < length ? length - position : 0;
    return true;
}

const unsigned char* CDataSource::ReadBlock(size_t count)
{
    CountRead(count);
    // Only a count larger than the buffer a source starts with could drive
    // an allocation; small reads skip the length test and its system call.
    static_assert(kMaxReadBlockWithoutLength >= CDataSourceState::kInitialReadBuffer,
                  "a read within the initial buffer needs no length test");
    if (count > CDataSourceState::kInitialReadBuffer) {
        uint64_t remaining = 0;
        const bool lengthKnown = KnownRemaining(remaining);
        // A count beyond the data cannot be met: read what is there and
        // report the end, without first making room for the whole count.
        if (lengthKnown && count > remaining) {
            size_t n = static_cast<size_t>(remaining);
            ReserveReadBuffer(n);
            Read(m_state->readBuffer.get(), n);
            throw CTextException(kCodeEndOfFile, kEndOfFile);
        }
        if (!lengthKnown && count > kMaxReadBlockWithoutLength)
            throw CTextException(kCodeReadBuffer, "Error allocating read-buffer");
    }
    ReserveReadBuffer(count);
    unsigned char* buffer = m_state->readBuffer.get();
    size_t got = Read(buffer, count);
    // A short read that is not at the end hands back what came.
    if (got < count && (IsEof() || m_state->kind == eNoDataSource))
        throw CTextException(kCodeEndOfFile, kEndOfFile);
    return buffer;
}

const unsigned char* CDataSource::ReadAvailable(size_t& count)
{
    CountRead(count);
    uint64_t remaining = 0;
    size_t wanted = count;
    if (KnownRemaining(remaining))
        wanted = static_cast<size_t>(std::min<uint64_t>(wanted, remaining));
    else
        wanted = std::min(wanted, kMaxReadBlockWithoutLength);
    ReserveReadBuffer(std::max<size_t>(wanted, 1));
    unsigned char* buffer = m_state->readBuffer.get();
    count = Read(buffer, wanted);
    return buffer;
}

const unsigned char* CDataSource::ReadByte()
{
    return ReadBlock(1);
}

const unsigned char* CDataSource::ReadWord()
{
    return ReadBlock(2);
}

const unsigned char* CDataSource::ReadDWord()
{
    return ReadBlock(4);
}

}  // namespace ZAV

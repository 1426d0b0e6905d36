// A file opened through the C library, for reading or for writing.
#include "foundation/datasource/DataSource.h"
#include "foundation/datasource/DataSourceBackEnd.h"

#include <cstdio>
#include <sys/stat.h>

namespace ZAV {

uint64_t CurrentFileLength(CDataSourceState& s)
{
    if (!s.stream)
        return 0;
    if (s.writeMode)
        std::fflush(s.stream);
    struct stat info;
    if (fstat(fileno(s.stream), &info) != 0)
        return 0;
    return static_cast<uint64_t>(info.st_size);
}

namespace {

bool CloseFile(CDataSourceState& s)
{
    if (!s.stream)
        return true;
    bool closed = std::fclose(s.stream) == 0;
    s.stream = nullptr;
    return closed;
}

size_t ReadFile(CDataSourceState& s, void* buffer, size_t count)
{
    if (!s.stream)
        return 0;
    if (s.lastWasWrite) {
        std::fflush(s.stream);
        s.lastWasWrite = false;
    }
    return std::fread(buffer, 1, count, s.stream);
}

bool WriteFile(CDataSourceState& s, CChunkBuffer&, const void* data, size_t itemSize, size_t count)
{
    if (!s.stream)
        return false;
    if (!s.lastWasWrite) {
        fseeko(s.stream, 0, SEEK_CUR);
        s.lastWasWrite = true;
    }
    return std::fwrite(data, itemSize, count, s.stream) == count;
}

bool SeekFile(CDataSourceState& s, int64_t offset, int origin)
{
    return s.stream && fseeko(s.stream, static_cast<off_t>(offset), origin) == 0;
}

uint64_t Offset(CDataSourceState& s)
{
    if (!s.stream)
        return 0;
    off_t position = ftello(s.stream);
    return position < 0 ? 0 : static_cast<uint64_t>(position);
}

uint64_t Length(CDataSourceState& s)
{
    // A file opened for reading keeps the length it had at the open, so
    // that end tests byte by byte cost no system call.
    return s.writeMode ? CurrentFileLength(s) : s.size;
}

uint64_t FilePosition(CDataSourceState& s, CChunkBuffer&)
{
    return Offset(s);
}

uint64_t FileLength(CDataSourceState& s, CChunkBuffer&)
{
    return Length(s);
}

bool FileAtEnd(CDataSourceState& s)
{
    return s.stream && std::feof(s.stream);
}

bool FileHasMoreData(CDataSourceState& s)
{
    return Offset(s) < Length(s);
}

bool FileLengthKnown(const CDataSourceState&)
{
    return true;
}

}  // namespace

const CDataSourceBackEnd kFileBackEnd = {CloseFile,  ReadFile,  WriteFile,       SeekFile,       FilePosition,
                                         FileLength, FileAtEnd, FileHasMoreData, FileLengthKnown};

}  // namespace ZAV

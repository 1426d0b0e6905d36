#include "formats/tiff/io/TiffHandle.h"

#include <cstdio>

#include "formats/tiff/io/TiffHandlerState.h"
#include "foundation/datasource/DataSource.h"
#include "foundation/text/TextException.h"

namespace ZAV {

namespace {

CDataSource& SourceOf(thandle_t client)
{
    return *static_cast<CDataSource*>(client);
}

tmsize_t ReadProc(thandle_t client, void* buffer, tmsize_t size)
{
    if (size <= 0)
        return 0;
    const size_t n = SourceOf(client).Read(buffer, static_cast<size_t>(size));
    return n == static_cast<size_t>(size) ? size : 0;
}

tmsize_t WriteProc(thandle_t client, void* buffer, tmsize_t size)
{
    if (size <= 0)
        return 0;
    return SourceOf(client).Write(buffer, static_cast<size_t>(size)) ? size : 0;
}

toff_t SeekProc(thandle_t client, toff_t offset, int whence)
{
    const int origin = whence == SEEK_CUR ? 1 : whence == SEEK_END ? 2 : 0;
    CDataSource& source = SourceOf(client);
    if (!source.Seek(static_cast<int64_t>(offset), origin))
        return 0;
    return static_cast<toff_t>(source.GetPosition());
}

int CloseProc(thandle_t)
{
    // The data source belongs to the caller.
    return 1;
}

toff_t SizeProc(thandle_t client)
{
    return static_cast<toff_t>(SourceOf(client).GetLength());
}

// Data already in memory (a block or a mapped file) is handed to libtiff
// as its mapping: libtiff then reads strips and tiles in place, and its
// reader of uncompressed tiles, which refuses the rounded buffers of
// unmapped reading, works.
int MapProc(thandle_t client, void** base, toff_t* size)
{
    CDataSource& source = SourceOf(client);
    const int kind = source.GetKind();
    if ((kind != eMappedFileIO && kind != eMemoryIO) || !source.GetMemory())
        return 0;
    *base = const_cast<unsigned char*>(source.GetMemory());
    *size = static_cast<toff_t>(source.GetLength());
    return 1;
}

void UnmapProc(thandle_t, void*, toff_t)
{
}

}  // namespace

CDataSource& AsDataSource(IDataSource* source)
{
    auto* dataSource = dynamic_cast<CDataSource*>(source);
    if (!dataSource)
        ThrowTextException("Invalid data source!");
    return *dataSource;
}

CTiffHandle::CTiffHandle(CZAVImg* image, int logFlag) : m_logFlag(logFlag)
{
    ResetTiffHandlerState(image, logFlag);
}

CTiffHandle::~CTiffHandle()
{
    Close();
}

void CTiffHandle::Open(IDataSource* source, const char* mode)
{
    Close();
    CDataSource& dataSource = AsDataSource(source);
    m_tiff = TIFFClientOpen(dataSource.GetFileName(), mode, &dataSource, ReadProc, WriteProc, SeekProc, CloseProc,
                            SizeProc, MapProc, UnmapProc);
    if (!m_tiff)
        ThrowTextException(GetTiffLastError());
}

void CTiffHandle::Close()
{
    if (m_tiff)
        TIFFClose(m_tiff);
    m_tiff = nullptr;
}

}  // namespace ZAV

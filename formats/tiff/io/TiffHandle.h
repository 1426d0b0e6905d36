// CTiffHandle: a libtiff handle opened over a data source. libtiff never
// touches a file itself: it reads, writes and seeks through the data source,
// which stays open when the handle closes. Construction resets the handler
// state for the image it is given.
#pragma once

#include <tiffio.h>

namespace ZAV {

class CZAVImg;
class IDataSource;

class CTiffHandle {
public:
    // Log flag 1 stores libtiff's messages in the image's information list.
    CTiffHandle(CZAVImg* image, int logFlag);
    ~CTiffHandle();
    CTiffHandle(const CTiffHandle&) = delete;
    CTiffHandle& operator=(const CTiffHandle&) = delete;

    // libtiff's mode text ("r", "wb", "ab"). Throws CTextException with the
    // last libtiff error text when libtiff refuses the data.
    void Open(IDataSource* source, const char* mode);
    void Close();

    TIFF* Get() const { return m_tiff; }
    int GetLogFlag() const { return m_logFlag; }

private:
    TIFF* m_tiff = nullptr;
    int m_logFlag = 0;
};

// The data source behind every handle: all of them are CDataSource objects.
class CDataSource;
CDataSource& AsDataSource(IDataSource* source);

}  // namespace ZAV

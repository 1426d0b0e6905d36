// CPicEncoder: the base of every built-in encoder. A public operation binds
// the encoder to the image it saves and forwards to the protected virtual
// each codec overrides.
#pragma once

#include <cstdint>

namespace ZAV {

class CZAVImg;
class IDataSource;

class CPicEncoder {
public:
    CPicEncoder() = default;
    virtual ~CPicEncoder();
    CPicEncoder(const CPicEncoder&) = delete;
    CPicEncoder& operator=(const CPicEncoder&) = delete;

    virtual int SavePicture(CZAVImg* image, IDataSource* target, uint32_t* bytesWritten);
    // The images as the pages or frames of one file; append adds them to an
    // existing file.
    virtual int SaveMultiPicture(CZAVImg* image, CZAVImg** images, int count, IDataSource* target, int append,
                                 uint32_t* bytesWritten);

    CZAVImg* GetImage() const { return m_image; }

    [[noreturn]] static void ThrowError(int code, const char* text);

protected:
    virtual int DoSavePicture(IDataSource* target, uint32_t* bytesWritten) = 0;
    // Default: refused, so a single-image format never writes an empty file
    // for a list.
    virtual int DoSaveMultiPicture(CZAVImg** images, int count, IDataSource* target, int append,
                                   uint32_t* bytesWritten);

private:
    CZAVImg* m_image = nullptr;
};

}  // namespace ZAV

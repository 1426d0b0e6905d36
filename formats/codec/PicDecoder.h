// CPicDecoder: the base of every built-in decoder. A public operation binds
// the decoder to the image it works on and forwards to the protected virtual
// each codec overrides; codecs fail through ThrowError.
#pragma once

#include "formats/FilterInterface.h"

#include <cstdint>

namespace ZAV {

class CZAVImg;
class IDataSource;

class CPicDecoder {
public:
    // Empties the process-wide codec error text.
    CPicDecoder();
    virtual ~CPicDecoder();
    CPicDecoder(const CPicDecoder&) = delete;
    CPicDecoder& operator=(const CPicDecoder&) = delete;

    virtual int IsFileFormat(CZAVImg* image, IDataSource* source);
    virtual int GetFileInfo(CZAVImg* image, IDataSource* source, FilterImageInfo* info);
    // The depth word reaches DoLoadPicture by address: a decoder may read it
    // and writes the depth it produced.
    virtual int LoadPicture(CZAVImg* image, IDataSource* source, int depth);

    int GetFrameCount(CZAVImg* image, IDataSource* source);

    // The frame or page that file information and decoding read, from 0.
    int GetFrameIndex() const { return m_frameIndex; }
    void SetFrameIndex(int index) { m_frameIndex = index; }

    // Throws "CZAVImg not assigned to decoder!" when no image is bound.
    CZAVImg* GetImage() const;

    // Throws CTextException with the code and "Decoder error: " + text, the
    // whole message cut to 1023 characters.
    [[noreturn]] static void ThrowError(int code, const char* text);

protected:
    virtual int DoLoadPicture(IDataSource* source, int* depth);
    // Default: the file information read without a record; a reader that
    // throws means the data is not of this format.
    virtual int DoIsFileFormat(IDataSource* source);
    virtual int DoGetFileInfo(IDataSource* source, FilterImageInfo* info) = 0;
    virtual int DoGetFrameCount(IDataSource* source);

private:
    int m_frameIndex = 0;
    CZAVImg* m_image = nullptr;
};

}  // namespace ZAV

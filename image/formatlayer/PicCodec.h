// The codec bases the image object decodes and encodes through, and the
// hook by which the format layer hands it its built-in codecs by format id.
#pragma once

#include <cstdint>
#include <memory>

namespace ZAV {

class CZAVImg;
class CDataSource;

class CPicDecoder {
public:
    virtual ~CPicDecoder() = default;
    // True when the decoder reads the data; the image's pixels stay.
    virtual bool IsFileFormat(CZAVImg& image, CDataSource& source) = 0;
    // Fills the image-information list for the frame.
    virtual bool GetFileInfo(CZAVImg& image, CDataSource& source, int frame) = 0;
    // Decodes the frame into the image; throws CTextException on failure.
    virtual void LoadPicture(CZAVImg& image, CDataSource& source, int frame) = 0;
    virtual int GetFrameCount(CZAVImg& image, CDataSource& source) = 0;
};

class CPicEncoder {
public:
    virtual ~CPicEncoder() = default;
    virtual void SavePicture(CZAVImg& image, CDataSource& target, int64_t& bytesWritten) = 0;
    // False when the format holds one picture only.
    virtual bool SaveMultiPicture(CZAVImg** images, int count, CDataSource& target, int flag,
                                  int64_t& bytesWritten) = 0;
};

// The built-in codec of a format id, or null when there is none.
using PicDecoderFactory = std::unique_ptr<CPicDecoder> (*)(int formatId);
using PicEncoderFactory = std::unique_ptr<CPicEncoder> (*)(int formatId);

// Installed once by the format layer; tests install fakes.
void SetPicCodecFactories(PicDecoderFactory decoders, PicEncoderFactory encoders);
std::unique_ptr<CPicDecoder> MakePicDecoder(int formatId);
std::unique_ptr<CPicEncoder> MakePicEncoder(int formatId);

// Size of the process-wide text codecs leave their library's last message in.
constexpr int kCodecErrorTextSize = 1024;
char* GetCodecErrorText();

}  // namespace ZAV

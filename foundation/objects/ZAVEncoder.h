// The coder object: Base64 coding of byte arrays and zlib compression of
// byte arrays and files. It answers its own interface id (17) alone; it has
// no object view.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/containers/ArraySimple.h"
#include "foundation/objects/ZAVInterfaces.h"
#include "foundation/objects/ZAVObjectSpImpl.h"
#include "foundation/objects/ZAVPtr.h"
#include "foundation/objects/ZAVRefCountBase.h"

namespace ZAV {

class IZAVEncoderSp : public IZAVUnknownSp, public IZAVQueryInterfaceSp {
public:
    static constexpr int32_t kInterfaceId = zaviidEncoder;

    // Base64 with padding and CR LF after every 76 characters; the output
    // text is replaced.
    virtual void EncodeBase64(const CArraySimple<unsigned char, 1>& bytes, std::string& text) = 0;
    virtual std::string GetBase64(const CArraySimple<unsigned char, 1>& bytes) = 0;
    // Characters outside the Base64 alphabet are skipped; the output array
    // is replaced.
    virtual void DecodeBase64(const std::string& text, CArraySimple<unsigned char, 1>& bytes) = 0;
    virtual CArraySimple<unsigned char, 1> GetDecodedBase64(const std::string& text) = 0;

    // "File '%s' does not exist!" for a missing input; a failure leaves no
    // output file.
    virtual void CompressFile(const std::string& inputPath, const std::string& outputPath) = 0;
    virtual void DecompressFile(const std::string& inputPath, const std::string& outputPath) = 0;

    // The output array is replaced; an empty input gives an empty output.
    // Corrupt compressed data fails with a CTextException naming the fault.
    virtual void CompressBuffer(const CArraySimple<unsigned char, 1>& input,
                                CArraySimple<unsigned char, 1>& output) = 0;
    virtual CArraySimple<unsigned char, 1> GetCompressedBuffer(const CArraySimple<unsigned char, 1>& input) = 0;
    virtual void DecompressBuffer(const CArraySimple<unsigned char, 1>& input,
                                  CArraySimple<unsigned char, 1>& output) = 0;
    virtual CArraySimple<unsigned char, 1> GetDecompressedBuffer(const CArraySimple<unsigned char, 1>& input) = 0;

protected:
    ~IZAVEncoderSp() = default;
};

class CZAVEncoder final : public CZAVRefCountBase<CZAVEncoder>,
                          public TZAVSpView<CZAVEncoder, IZAVEncoderSp> {
public:
    void* GetInterfaceView(int32_t id);

    void EncodeBase64(const CArraySimple<unsigned char, 1>& bytes, std::string& text) override;
    std::string GetBase64(const CArraySimple<unsigned char, 1>& bytes) override;
    void DecodeBase64(const std::string& text, CArraySimple<unsigned char, 1>& bytes) override;
    CArraySimple<unsigned char, 1> GetDecodedBase64(const std::string& text) override;
    void CompressFile(const std::string& inputPath, const std::string& outputPath) override;
    void DecompressFile(const std::string& inputPath, const std::string& outputPath) override;
    void CompressBuffer(const CArraySimple<unsigned char, 1>& input,
                        CArraySimple<unsigned char, 1>& output) override;
    CArraySimple<unsigned char, 1> GetCompressedBuffer(const CArraySimple<unsigned char, 1>& input) override;
    void DecompressBuffer(const CArraySimple<unsigned char, 1>& input,
                          CArraySimple<unsigned char, 1>& output) override;
    CArraySimple<unsigned char, 1> GetDecompressedBuffer(const CArraySimple<unsigned char, 1>& input) override;
};

// A new coder object; the holder owns its only reference.
CZAVPtr<IZAVEncoderSp> CreateEncoder();

}  // namespace ZAV

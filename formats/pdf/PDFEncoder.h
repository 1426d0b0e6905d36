// CPDFEncoder: writes a whole PDF file of image pages (one opaque image
// filling each page, PDF text written straight to the data source) and
// carries the routines that code an image into the bytes of one PDF image
// filter or decode such bytes back into pixels. Compressed data is made by
// saving the image in a format whose body is that compression (TIFF strips,
// PNG IDAT) and copying the body out; decoding wraps the bytes in such a
// file in memory and loads it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/containers/ArraySimple.h"
#include "formats/codec/PicEncoder.h"

namespace ZAV {

class CDataSource;

class CPDFEncoder : public CPicEncoder {
public:
    using ByteArray = CArraySimple<unsigned char, 1>;

    // The image the routines work on until a save binds another one.
    explicit CPDFEncoder(CZAVImg* image = nullptr);
    ~CPDFEncoder() override;

    // The image the routines read or load into: the page being written
    // during a document, else the bound image.
    CZAVImg* GetSourceImage() const;
    void SetSourceImage(CZAVImg* image) { m_source = image; }

    // ---- the whole document ----
    // Throws CTextException when a page's settings can't be written or the
    // target refuses a write or a seek.
    void WriteDocument(CZAVImg** images, int32_t count, IDataSource* target);
    // Refuses the source image's PDF settings when no writer carries them.
    void CheckCompression();
    // "1.4" when a page is coded by the JBIG2 or JPEG 2000 plug-in, else "1.2".
    std::string GetPdfVersion(CZAVImg** images, int32_t count);

    // ---- encoding: the source image's bytes for one filter, appended ----
    void EncodeToStream(IDataSource* target, int format);
    void EncodeJpegToStream(IDataSource* target);
    // PackBits, one row a chunk, closed by the end-of-data byte 128.
    void WriteRunLengthStream(IDataSource* target);
    void WriteTiffStrips(IDataSource* target);
    // 1-bit data made black-first (0 = black) for the time of the coding.
    void WriteTiffStripsInverted(IDataSource* target);
    void CopyTiffStrips(IDataSource* target, int invert);
    void WritePngIdatStream(IDataSource* target);
    // No palette, fewer than 2 entries, or entry 0 the darker of 0 and 1.
    bool IsPaletteBlackFirst();
    // A 1-bit image whose palette is not black-first.
    bool NeedsInversion();

    // ---- decoding: filter bytes to the pixel bytes of the source image ----
    // An empty input leaves the output as it was.
    void DecodeFromMemory(int format, const ByteArray& input, ByteArray& output);
    void DecodeJpegFromMemory(const ByteArray& input, ByteArray& output);
    void DecodeTiffCodedToMemory(int width, int height, int bitsPerPixel, int compression, const ByteArray& input,
                                 ByteArray& output);
    // K < 0 Group 4, K = 0 Group 3 one-dimensional, K > 0 two-dimensional.
    void DecodeCcittToMemory(int width, int height, int bitsPerPixel, int32_t k, const ByteArray& input,
                             ByteArray& output);
    void DecodeLzwToMemory(int width, int height, int bitsPerPixel, const ByteArray& input, ByteArray& output);
    void DecodeDeflateToMemory(int width, int height, int bitsPerPixel, const ByteArray& input, ByteArray& output);
    // Predictor 10 to 15: the PNG filter set of the data.
    void DecodeFlatePngToMemory(int width, int height, int bitsPerPixel, int32_t predictor, const ByteArray& input,
                                ByteArray& output);

protected:
    int DoSavePicture(IDataSource* target, uint32_t* bytesWritten) override;
    // The append flag is ignored: a new document is always written.
    int DoSaveMultiPicture(CZAVImg** images, int count, IDataSource* target, int append,
                           uint32_t* bytesWritten) override;

private:
    struct PageObjects;

    void WriteInformation(CDataSource& out);
    void WriteCatalog(CDataSource& out);
    void WritePagesPlaceholder(CDataSource& out, int32_t count);
    void WritePage(CDataSource& out, int32_t index);
    void WritePageObject(CDataSource& out, const PageObjects& page, const std::string& pageWidth,
                         const std::string& pageHeight);
    void WriteContentStream(CDataSource& out, const PageObjects& page, const std::string& pageWidth,
                            const std::string& pageHeight);
    void WriteImageXObject(CDataSource& out, const PageObjects& page);
    void WriteTiffCodedXObject(CDataSource& out, const PageObjects& page);
    void WriteImageDictionaryHead(CDataSource& out, const PageObjects& page);
    void WriteImageDictionaryTail(CDataSource& out, const PageObjects& page, int bitsPerComponent);
    void WriteImageData(CDataSource& out, int format);
    void WriteColourSpace(CDataSource& out, const PageObjects& page);
    void RewritePages(CDataSource& out);
    void WriteCrossReference(CDataSource& out);
    uint32_t StartObject(CDataSource& out);
    void FinishDocument(CDataSource& out);
    void MeasureKids(CZAVImg** images, int32_t count);

    void CodeDeflateStrip(IDataSource* target);
    void WriteTiffStripsWhiteFirst(IDataSource* target);
    void CopyStrips(IDataSource* target, bool invert);

    CZAVImg* m_source = nullptr;
    int32_t m_imageCount = 0;
    int32_t m_currentImage = 0;
    // Object numbers of the page objects, in page order.
    std::vector<int> m_pageList;
    // Entry k: byte offset of object k + 1.
    std::vector<uint64_t> m_offsets;
    uint32_t m_objectCount = 0;
    uint64_t m_streamStart = 0;
    uint64_t m_streamEnd = 0;
    uint64_t m_pagesPosition = 0;
    // Characters of each /Kids entry's number, so the rewrite fits exactly.
    int m_kidsWidth = 4;
};

}  // namespace ZAV

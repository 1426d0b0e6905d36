// CPSDDecoder: layered Photoshop documents (format 10, version 1, 1 or 8
// bits per channel). Frame 0 is the merged image, frame n layer n - 1 at its
// own bounds with its transparency and user mask as the image's masks; the
// layers' geometry, blend settings and effects are reported as file facts.
#pragma once

#include "formats/codec/PicDecoder.h"
#include "formats/psd/PsdStructure.h"

#include <cstdint>
#include <vector>

namespace ZAV {

class CGlobalMemBlock;
class CFileBytes;

class CPSDDecoder : public CPicDecoder {
protected:
    int DoLoadPicture(IDataSource* source, int* depth) override;
    int DoGetFileInfo(IDataSource* source, FilterImageInfo* info) override;
    int DoGetFrameCount(IDataSource* source) override;

private:
    void ReadFile(IDataSource* source);
    // Moves the cursor to the first layer's channel data after the layers
    // before target.
    void SkipToLayer(CFileBytes& cursor, const PsdDocument& document, int target);
    void ReadMergedPlanes(CFileBytes& cursor, const PsdDocument& document, uint8_t* pixels, size_t bytesPerRow,
                          size_t rows, int planes);
    // Reads the layer's channel of the id into the target; false when the
    // layer has no such channel.
    bool ReadLayerChannel(CFileBytes& cursor, const PsdLayerInfo& layer, int id, uint8_t* base, size_t bytesPerRow,
                          size_t rows, size_t stride);
    void ReadLayerMasks(CFileBytes& cursor, const PsdLayerInfo& layer);
    // Decodes the layer, or the merged image without one, into the image.
    void DecodeTarget(CFileBytes& cursor, const PsdDocument& document, const PsdLayerInfo* layer);
    void SetDecodedPalette(const PsdDocument& document);

    std::vector<uint8_t> m_file;
    size_t m_layerDataStart = 0;
    int m_layerMaskOption = 1;
};

}  // namespace ZAV

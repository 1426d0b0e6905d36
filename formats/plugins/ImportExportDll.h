// CImportExportDll: one bound image-format plug-in: its library, the filter
// functions it exports, its option flags and its format id.
#pragma once

#include "formats/FilterInterface.h"
#include "formats/registry/ImgFormat.h"
#include "foundation/text/String.h"

namespace ZAV {

class CFileFormatProviders;
class CZAVImg;

// The filter functions, null where the library lacks one.
struct FilterExports {
    FilterGetSupportedFileExtensions* getSupportedFileExtensions = nullptr;
    FilterIsFileFormatFromFile* isFileFormatFromFile = nullptr;
    FilterIsFileFormatFromMem* isFileFormatFromMem = nullptr;
    FilterGetFileInfoFromFile* getFileInfoFromFile = nullptr;
    FilterGetFileInfoFromMem* getFileInfoFromMem = nullptr;
    FilterLoadPictureFromFile* loadPictureFromFile = nullptr;
    FilterLoadPictureFromMem* loadPictureFromMem = nullptr;
    FilterSavePictureToFile* savePictureToFile = nullptr;
    FilterSavePictureToMem* savePictureToMem = nullptr;
    FilterGetOptions* getOptions = nullptr;
    FilterJPEGSettings* jpegSettings = nullptr;
    FilterJPEG2000Settings* jpeg2000Settings = nullptr;
    FilterJPEG2000Settings2* jpeg2000Settings2 = nullptr;
    FilterJBIG2Settings* jbig2Settings = nullptr;
    FilterEXRSettings* exrSettings = nullptr;
    FilterMagickSettings* magickSettings = nullptr;
    FilterFastThumbLoading* fastThumbLoading = nullptr;
    FilterGetImageProperties* getImageProperties = nullptr;
    FilterSetNotification* setNotification = nullptr;
};

class CImportExportDll {
public:
    // The id is 100 + index: the first plug-in of a list is 101.
    explicit CImportExportDll(int index);
    ~CImportExportDll();
    CImportExportDll(const CImportExportDll&) = delete;
    CImportExportDll& operator=(const CImportExportDll&) = delete;

    // Loads the library and binds its functions; false with the last error.
    bool Bind(const char* path);

    // Registers the reported extensions under the id; 0 when the plug-in
    // reports none.
    int RegisterFormats(CFileFormatProviders& registry, CImportExportDll* plugin);

    int IsFormatOfFile(const char* path);
    int IsFormatOfMem(CZAVImg* image, const void* data, uint32_t size);

    void PushJpeg2000Settings(CZAVImg* image);
    void PushJbig2Settings(CZAVImg* image);
    void PushExrSettings(CZAVImg* image);
    void PushMagickSettings(CZAVImg* image);
    bool HasJpeg2000Settings() const { return m_exports.jpeg2000Settings != nullptr; }
    bool HasJbig2Settings() const { return m_exports.jbig2Settings != nullptr; }

    // From the file when fromFile, else from the memory block.
    int LoadPicture(CZAVImg* image, const char* path, const void* data, uint32_t size, int fromFile);
    int SavePicture(CZAVImg* image, const char* path, void* target, uint32_t targetSize, int toFile,
                    uint32_t* bytesWritten);

    const String& GetLastError() const { return m_lastError; }
    const String& GetPath() const { return m_path; }
    const FilterExports& GetExports() const { return m_exports; }
    int GetOptions() const { return m_options; }
    zavImgFormat GetId() const { return m_id; }
    void FastThumbLoading(int enabled, int width, int height);

private:
    bool BindRequired();
    bool BindFlagged();
    void BindOptional();
    FARPROC Find(const char* name) const;
    void SetMissingError(const char* name, const char* sentence);
    void SetNotSupported(const char* exportName);
    int TakeLoadedPicture(CZAVImg* image, struct FilterLoadResult& result);
    int TakeLoadedDib(CZAVImg* image, struct FilterLoadResult& result);
    void TakeImageProperties(CZAVImg* image);

    String m_lastError;
    String m_path;
    HMODULE m_module = nullptr;
    FilterExports m_exports;
    int m_options = 0;
    zavImgFormat m_id;
};

}  // namespace ZAV

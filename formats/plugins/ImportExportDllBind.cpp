// Binding a plug-in: loading its library, finding its functions by name,
// registering its formats, and the calls that hand it the image's settings.
#include "formats/plugins/ImportExportDll.h"

#include "formats/registry/FileFormatProviders.h"
#include "foundation/text/TextException.h"
#include "image/object/ZAVImg.h"
#include "platform/LastError.h"
#include "platform/Loader.h"

namespace ZAV {

namespace {

template <class F>
void Assign(F*& slot, FARPROC proc)
{
    slot = reinterpret_cast<F*>(proc);
}

// The functions an option flag makes required, in the order they are checked.
struct FlaggedExport {
    int flag;
    const char* name;
    const char* sentence;
};

const FlaggedExport kFlaggedExports[] = {
    {kFilterJpegSettings, "JPEGSettings", "Option flag JPEGSETTINGS is set but function is not provided!"},
    {kFilterJpeg2000Settings, "JPEG2000Settings", "Option flag JPEG2000SETTINGS is set but function is not provided!"},
    {kFilterJpeg2000Settings2, "JPEG2000Settings2",
     "Option flag JPEG2000SETTINGS2 is set but function is not provided!"},
    {kFilterJbig2Settings, "JBIG2Settings", "Option flag JBIG2SETTINGS is set but function is not provided!"},
    {kFilterExrSettings, "EXRSettings", "Option flag EXRSETTINGS is set but function is not provided!"},
    {kFilterMagickFormats, "MagickSettings", "Option flag MAGICKSETTINGS is set but function is not provided!"},
};

// A plug-in fills the whole buffer at will: its last byte is forced to end
// the text before it is read.
String TextOfBuffer(char (&buffer)[kFilterTextBufferSize])
{
    buffer[kFilterTextBufferSize - 1] = 0;
    return String(buffer);
}

// Wraps the reported list in semicolons and upper-cases it: "jbg2;jb2" gives
// ";JBG2;JB2;".
String ExtensionText(const char* reported)
{
    std::string text = reported;
    if (text.empty() || text.front() != ';')
        text.insert(text.begin(), ';');
    if (text.back() != ';')
        text.push_back(';');
    String result(text.c_str());
    result.MakeUpper();
    return result;
}

}  // namespace

CImportExportDll::CImportExportDll(int index) : m_id(static_cast<zavImgFormat>(100 + index))
{
}

CImportExportDll::~CImportExportDll()
{
    if (m_module)
        FreeLibrary(m_module);
}

FARPROC CImportExportDll::Find(const char* name) const
{
    return GetProcAddress(m_module, name);
}

void CImportExportDll::SetMissingError(const char* name, const char* sentence)
{
    m_lastError.Format("Invalid Import/Export dll '%s'. Missing function '%s'!%s", m_path.GetText(), name, sentence);
}

bool CImportExportDll::Bind(const char* path)
{
    m_path = String(path);
    m_module = LoadLibraryA(path);
    if (!m_module) {
        char message[kSystemMessageBufferSize];
        String prefix;
        prefix.Format("Dll '%s' not found!", path);
        m_lastError = String(FormatSystemMessage(::GetLastError(), prefix.GetText(), message));
        return false;
    }
    if (!BindRequired() || !BindFlagged())
        return false;
    BindOptional();
    return true;
}

bool CImportExportDll::BindRequired()
{
    struct Required {
        const char* name;
        FARPROC proc;
    } required[] = {
        {"GetSupportedFileExtensions", nullptr}, {"IsFileFormatFromFile", nullptr}, {"IsFileFormatFromMem", nullptr},
        {"GetFileInfoFromFile", nullptr},        {"GetFileInfoFromMem", nullptr},   {"LoadPictureFromFile", nullptr},
        {"LoadPictureFromMem", nullptr},         {"SavePictureToFile", nullptr},    {"SavePictureToMem", nullptr}};
    for (Required& r : required) {
        r.proc = Find(r.name);
        if (!r.proc) {
            SetMissingError(r.name, "");
            return false;
        }
    }
    Assign(m_exports.getSupportedFileExtensions, required[0].proc);
    Assign(m_exports.isFileFormatFromFile, required[1].proc);
    Assign(m_exports.isFileFormatFromMem, required[2].proc);
    Assign(m_exports.getFileInfoFromFile, required[3].proc);
    Assign(m_exports.getFileInfoFromMem, required[4].proc);
    Assign(m_exports.loadPictureFromFile, required[5].proc);
    Assign(m_exports.loadPictureFromMem, required[6].proc);
    Assign(m_exports.savePictureToFile, required[7].proc);
    Assign(m_exports.savePictureToMem, required[8].proc);
    return true;
}

bool CImportExportDll::BindFlagged()
{
    Assign(m_exports.getOptions, Find("GetOptions"));
    if (!m_exports.getOptions)
        return true;
    m_options = m_exports.getOptions();
    for (const FlaggedExport& flagged : kFlaggedExports) {
        if (!(m_options & flagged.flag))
            continue;
        FARPROC proc = Find(flagged.name);
        if (!proc) {
            SetMissingError(flagged.name, flagged.sentence);
            return false;
        }
        switch (flagged.flag) {
        case kFilterJpegSettings:
            Assign(m_exports.jpegSettings, proc);
            break;
        case kFilterJpeg2000Settings:
            Assign(m_exports.jpeg2000Settings, proc);
            break;
        case kFilterJpeg2000Settings2:
            Assign(m_exports.jpeg2000Settings2, proc);
            break;
        case kFilterJbig2Settings:
            Assign(m_exports.jbig2Settings, proc);
            break;
        case kFilterExrSettings:
            Assign(m_exports.exrSettings, proc);
            break;
        default:
            Assign(m_exports.magickSettings, proc);
            break;
        }
    }
    return true;
}

void CImportExportDll::BindOptional()
{
    Assign(m_exports.fastThumbLoading, Find("FastThumbLoading"));
    Assign(m_exports.getImageProperties, Find("GetImageProperties"));
    Assign(m_exports.setNotification, Find("SetNotification"));
}

int CImportExportDll::RegisterFormats(CFileFormatProviders& registry, CImportExportDll* plugin)
{
    char text[kFilterTextBufferSize] = {};
    if (!m_exports.getSupportedFileExtensions(text)) {
        m_lastError = TextOfBuffer(text);
        return 0;
    }
    const String extensions = ExtensionText(TextOfBuffer(text).GetText());
    registry.AddProviderPtr(
        new CFileFormatProvider(m_id, extensions.GetText(), zavpmPlugin, plugin, zavpmPlugin, plugin));
    return 1;
}

void CImportExportDll::SetNotSupported(const char* exportName)
{
    m_lastError.Format("'%s' doesn't support '%s'!", m_path.GetText(), exportName);
}

int CImportExportDll::IsFormatOfFile(const char* path)
{
    if (!m_exports.isFileFormatFromFile) {
        SetNotSupported("IsFileFormatFromFile");
        return 0;
    }
    char error[kFilterTextBufferSize] = {};
    const int result = m_exports.isFileFormatFromFile(path, error);
    if (!result)
        m_lastError = TextOfBuffer(error);
    return result;
}

int CImportExportDll::IsFormatOfMem(CZAVImg* image, const void* data, uint32_t size)
{
    if (!m_exports.isFileFormatFromMem) {
        SetNotSupported("IsFileFormatFromMem");
        return 0;
    }
    if (m_exports.setNotification)
        m_exports.setNotification(image->GetNotification());
    char error[kFilterTextBufferSize] = {};
    const int result = m_exports.isFileFormatFromMem(data, size, error);
    if (!result)
        m_lastError = TextOfBuffer(error);
    return result;
}

void CImportExportDll::PushJpeg2000Settings(CZAVImg* image)
{
    if (m_exports.jpeg2000Settings) {
        Jpeg2000EncoderSettings settings = {};
        for (int i = 0; i < 9; ++i)
            settings.values[i] = image->m_jpeg2000.ints[i];
        settings.CompressionRate = image->m_jpeg2000.doubles[0];
        settings.CompressionBitRate = image->m_jpeg2000.doubles[1];
        settings.CompressionDestinationFileSize = image->m_jpeg2000.last;
        settings.metadata = &image->m_jpeg2000Metadata;
        m_exports.jpeg2000Settings(settings);
    }
    if (m_exports.jpeg2000Settings2)
        m_exports.jpeg2000Settings2(image->m_highDynamicRange);
}

void CImportExportDll::PushJbig2Settings(CZAVImg* image)
{
    if (!m_exports.jbig2Settings)
        return;
    const int32_t* v = image->m_jbig2Settings;
    m_exports.jbig2Settings(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
}

void CImportExportDll::PushExrSettings(CZAVImg* image)
{
    if (m_exports.exrSettings)
        m_exports.exrSettings(image->m_exr.exposure, image->m_exr.gamma, image->m_exr.flag);
}

void CImportExportDll::PushMagickSettings(CZAVImg* image)
{
    if (!m_exports.magickSettings)
        return;
    const int32_t* v = image->m_magickSettings;
    m_exports.magickSettings(v[0], v[1], v[2], v[3], v[4], 0);
}

void CImportExportDll::FastThumbLoading(int enabled, int width, int height)
{
    if (m_exports.fastThumbLoading)
        m_exports.fastThumbLoading(enabled, width, height);
}

}  // namespace ZAV

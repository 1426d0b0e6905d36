// The reader's life, its two reads and what it hands out.
#include "formats/exif/ExifRead.h"

#include <cstdio>

#include "foundation/text/TextException.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

namespace {

constexpr const char* kUnexpectedFailure = "Can't read exif properties!";
// The five texts each entry hands out.
constexpr size_t kTextsPerEntry = 5;

std::string Decimal(int32_t value)
{
    char text[16];
    std::snprintf(text, sizeof(text), "%d", value);
    return text;
}

}  // namespace

CExifRead::CExifRead(const char* path, int thumbnailFlag) : m_path(path ? path : "")
{
    Reset();
    m_thumbnailFlag = thumbnailFlag;
}

CExifRead::CExifRead(const void* data, size_t size, int thumbnailFlag)
    : m_fromMemory(true), m_memory(data), m_memorySize(size)
{
    Reset();
    m_thumbnailFlag = thumbnailFlag;
}

CExifRead::~CExifRead()
{
    m_source.Close();
}

void CExifRead::Reset()
{
    m_lastError = String("");
    m_byteOrder = kExifLittleEndian;
    m_interoperabilityFlag = 0;
    std::fill(std::begin(m_header), std::end(m_header), 0);
    m_block.Clear();
    m_blockSourceStart = 0;
    m_app1Position = 0;
    m_ifd0Offset = 8;
    m_exifIfdPosition = -1;
    m_interoperabilityPosition = 0;
    m_group = 0;
    m_entryIndex = 0;
    m_entry = ExifDirectoryEntry();
    m_planarWord = 0;
    m_app1Length = 0;
    m_jpegThumbnailPosition = 0;
    m_thumbnailBlock.Free();
    m_thumbnail = ExifThumbnailRecord();
}

void CExifRead::OpenSource()
{
    // Empty memory cannot be opened as a source, and holds no EXIF either.
    if (m_fromMemory && m_memorySize == 0)
        ThrowExifError("No Exif data found!");
    const bool opened = m_fromMemory ? m_source.OpenMemory(m_memory, m_memorySize)
                                     : !m_path.empty() && m_source.OpenMapped(m_path.c_str());
    if (!opened)
        throw CTextException(*m_source.GetErrorText() ? m_source.GetErrorText() : kUnexpectedFailure);
}

// The steps of a read run inside it; whatever they throw becomes the last
// error, and the source is closed either way.
template <class Steps>
bool CExifRead::RunRead(Steps steps)
{
    bool done = false;
    try {
        steps();
        done = true;
    } catch (const CTextException& e) {
        m_lastError = String(e.GetText());
    } catch (...) {
        m_lastError = String(kUnexpectedFailure);
    }
    m_source.Close();
    return done;
}

bool CExifRead::Read()
{
    Reset();
    m_entries.clear();
    return RunRead([this] {
        OpenSource();
        FindApp1();
        LoadApp1Block();
        ReadTiffHeader();
        WalkMainChain(uint64_t(m_ifd0Offset) + kExifTiffStart);
        WalkSubDirectories();
        if (m_thumbnailFlag) {
            ReadThumbnailData();
            BuildThumbnailImage();
        }
    });
}

bool CExifRead::ReadFromMemory(int byteOrder)
{
    Reset();
    m_entries.clear();
    return RunRead([this, byteOrder] {
        OpenSource();
        LoadWholeSource();
        m_byteOrder = byteOrder;
        m_block.SetByteOrder(byteOrder);
        WalkMainChain(0);
        WalkSubDirectories();
        if (m_thumbnailFlag)
            ReadThumbnailData();
    });
}

void CExifRead::GetEntries(std::vector<std::string>& texts) const
{
    texts.resize(m_entries.size() * kTextsPerEntry);
    size_t i = 0;
    for (const std::unique_ptr<CExifEntry>& entry : m_entries) {
        texts[i++] = Decimal(entry->group);
        texts[i++] = Decimal(entry->tag);
        texts[i++] = entry->name.ToStdString();
        texts[i++] = entry->description.ToStdString();
        texts[i++] = entry->value.ToStdString();
    }
}

CZAVImg* CExifRead::GetThumbnailImage()
{
    if (!m_thumbnailImage)
        m_thumbnailImage = std::make_unique<CZAVImg>();
    return m_thumbnailImage.get();
}

bool CExifRead::HasThumbnailPixels() const
{
    return m_thumbnailImage && m_thumbnailImage->HasImage();
}

bool CExifRead::GetThumbnailData(CGlobalMemBlock& block, int64_t& size, int& width, int& height)
{
    if (!m_thumbnailBlock.GetHandle())
        return false;
    block.Attach(m_thumbnailBlock.Detach());
    size = m_thumbnail.dataSize;
    width = m_thumbnail.width;
    height = m_thumbnail.height;
    return true;
}

}  // namespace ZAV

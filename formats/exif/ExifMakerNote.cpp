// The maker note (tag 37500): a Casio type-2 note is read by its own
// reader and its entries join this reader's list; its preview picture may
// become the thumbnail.
#include "formats/exif/ExifRead.h"
#include "formats/exif/casio/CasioType2MakerNoteExifRead.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

namespace {

// The note's directory starts behind its signature and two more bytes.
constexpr uint32_t kCasioNoteHeaderBytes = 6;
constexpr uint32_t kFieldBytes = 4;

}  // namespace

void CExifRead::ReadMakerNote()
{
    // Four bytes or fewer are no Casio note (it needs seven).
    if (m_entry.count <= kFieldBytes)
        return;
    const uint8_t* note = m_block.At(m_entry.ValuePosition(), m_entry.count);
    if (!IsCasioType2MakerNote(note, m_entry.count))
        return;
    CCasioType2MakerNoteExifRead reader(note + kCasioNoteHeaderBytes, m_entry.count - kCasioNoteHeaderBytes,
                                        m_thumbnailFlag);
    if (!reader.ReadFromMemory(kExifBigEndian))
        return;
    MergeMakerNote(reader);
    const int64_t preview = reader.GetThumbnailPosition();
    // The preview is loaded only when it starts inside this reader's block.
    const uint64_t start = uint64_t(preview) + kExifTiffStart;
    if (m_thumbnailFlag && preview >= 1 && preview < int64_t(m_app1Length) && start < m_block.Length() &&
        !HasThumbnailPixels())
        GetThumbnailImage()->LoadFromMemory(m_block.Data() + start, int64_t(m_block.Length() - start), 0);
}

void CExifRead::MergeMakerNote(CExifRead& note)
{
    for (std::unique_ptr<CExifEntry>& entry : note.m_entries) {
        entry->group = kExifGroupMakerNote;
        m_entries.push_back(std::move(entry));
    }
    note.m_entries.clear();
}

}  // namespace ZAV

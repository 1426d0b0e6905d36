// The classic cross-reference table of a document: per object number its
// generation, file offset and use ('n' or 'f'), grouped in sections.
#pragma once

#include <boost/shared_array.hpp>
#include <boost/shared_ptr.hpp>

#include <cstdint>
#include <ostream>
#include <vector>

namespace ZAVPDF {

class CPDFDictionary;

struct s_crtentry {
    int32_t generation;
    int32_t objectNumber;
    int32_t offset;  // 0: no offset set
    char type;       // 'n' in use, 'f' free, 0 never set
};

// One contiguous run of object numbers, first .. first + count - 1.
class CPDFCrtSequence {
public:
    CPDFCrtSequence(int32_t first, int32_t count);

    int32_t GetFirst() const { return m_first; }
    int32_t GetCount() const { return m_count; }
    bool Covers(int64_t number) const { return number >= m_first && number < int64_t(m_first) + m_count; }
    // The entry of number; all zero outside the section.
    s_crtentry GetEntry(int32_t number) const;
    // Keeps an entry that already has an offset; grows by one at either end.
    void SetEntry(int32_t number, int32_t generation, int32_t offset, char type);
    void SetEntryOffset(int32_t number, int32_t offset);
    void Grow(int32_t n, bool atEnd);
    void Write(std::ostream& stream) const;

private:
    s_crtentry& EntryAt(int64_t index) const { return m_entries[static_cast<size_t>(m_start + index)]; }

    int32_t m_first;
    int32_t m_count;
    // Entry i stands at m_start + i of a buffer of m_capacity entries. The
    // spare room on both sides is kept zero, so growing into it is free and
    // adding numbers one by one costs amortised constant time.
    boost::shared_array<s_crtentry> m_entries;
    int64_t m_capacity;
    int64_t m_start = 0;
};

class CPDFCrt {
public:
    CPDFCrt();
    ~CPDFCrt();

    const boost::shared_ptr<CPDFDictionary>& GetTrailer() const { return m_trailer; }
    void SetTrailer(const boost::shared_ptr<CPDFDictionary>& trailer) { m_trailer = trailer; }
    int32_t GetXrefOffset() const { return m_xrefOffset; }
    void SetXrefOffset(int32_t offset) { m_xrefOffset = offset; }

    // One more than the highest number covered, at least 1.
    int GetSize() const;
    bool FindEntry(int objectNumber, s_crtentry& entry) const;
    bool GetEntry(int objectNumber, int& generation, int& offset, char& type) const;
    void AddEntry(int objectNumber, int generation, int offset, char type);
    void SetEntryOffset(int objectNumber, int offset);
    // A subsection header read from a file. Overlapping or nearby ranges
    // widen an existing section; a far range gets a section of its own, so
    // a sparse file never makes the table allocate the gap.
    void AddSection(int first, int count);
    void Clear();
    void Write(std::ostream& stream) const;

    int GetSectionCount() const { return static_cast<int>(m_sections.size()); }
    const CPDFCrtSequence& GetSection(int index) const { return *m_sections[static_cast<size_t>(index)]; }
    // Entries held in all sections together.
    int64_t GetEntryCount() const;

private:
    boost::shared_ptr<CPDFDictionary> m_trailer;
    int32_t m_xrefOffset = 0;
    std::vector<boost::shared_ptr<CPDFCrtSequence>> m_sections;
};

}  // namespace ZAVPDF

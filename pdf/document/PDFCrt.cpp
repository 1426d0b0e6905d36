#include "pdf/document/PDFCrt.h"

#include <algorithm>
#include <cstdio>

#include "foundation/text/TextException.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/PDFLimits.h"

namespace ZAVPDF {

namespace {

void CheckObjectNumber(int64_t number)
{
    if (number < 0 || number > kPDFMaxObjectNumber)
        ThrowTextException("Object can't be added to this crt!");
}

}  // namespace

CPDFCrtSequence::CPDFCrtSequence(int32_t first, int32_t count)
    : m_first(first), m_count(count), m_capacity(count > 0 ? count : 1)
{
    if (count < 0 || count > kPDFMaxCrtEntries)
        ThrowTextException("Object can't be added to this crt!");
    m_entries.reset(new s_crtentry[static_cast<size_t>(m_capacity)]());
}

s_crtentry CPDFCrtSequence::GetEntry(int32_t number) const
{
    s_crtentry entry = {};
    if (Covers(number))
        entry = EntryAt(int64_t(number) - m_first);
    return entry;
}

void CPDFCrtSequence::Grow(int32_t n, bool atEnd)
{
    if (n <= 0)
        return;
    const int64_t count = int64_t(m_count) + n;
    if (count > kPDFMaxCrtEntries || (!atEnd && int64_t(m_first) - n < 0))
        ThrowTextException("Object can't be added to this crt!");
    const bool fits = atEnd ? m_start + count <= m_capacity : m_start >= n;
    if (!fits) {
        // Doubling keeps growth by one entry at a time linear overall; the
        // spare room goes to the side that grew, as the next growth will.
        const int64_t capacity = std::min(std::max(count, 2 * int64_t(m_count)), kPDFMaxCrtEntries);
        boost::shared_array<s_crtentry> entries(new s_crtentry[static_cast<size_t>(capacity)]());
        const int64_t start = atEnd ? 0 : capacity - count + n;
        for (int32_t i = 0; i < m_count; ++i)
            entries[static_cast<size_t>(start + i)] = EntryAt(i);
        m_entries = entries;
        m_capacity = capacity;
        m_start = start;
    }
    m_count = static_cast<int32_t>(count);
    if (!atEnd) {
        m_start -= n;
        m_first -= n;
    }
}

void CPDFCrtSequence::SetEntry(int32_t number, int32_t generation, int32_t offset, char type)
{
    int64_t i = int64_t(number) - m_first;
    if (i < -1 || i > m_count)
        ThrowTextException("Object can't be added to this crt!");
    if (i == m_count) {
        Grow(1, true);
    } else if (i == -1) {
        Grow(1, false);
        i = 0;
    }
    s_crtentry& entry = EntryAt(i);
    if (entry.offset != 0)
        return;
    entry.generation = generation;
    entry.type = type;
    entry.offset = offset;
    entry.objectNumber = m_first + static_cast<int32_t>(i);
}

void CPDFCrtSequence::SetEntryOffset(int32_t number, int32_t offset)
{
    if (!Covers(number))
        ThrowTextException("Object value exceeds limits");
    EntryAt(int64_t(number) - m_first).offset = offset;
}

void CPDFCrtSequence::Write(std::ostream& stream) const
{
    stream << m_first << " " << m_count << "\r\n";
    char row[64];
    for (int32_t i = 0; i < m_count; ++i) {
        const s_crtentry& entry = EntryAt(i);
        std::snprintf(row, sizeof row, "%010d %05d %c\r\n", entry.offset, entry.generation, entry.type);
        stream << row;
    }
}

CPDFCrt::CPDFCrt() = default;

CPDFCrt::~CPDFCrt() = default;

int CPDFCrt::GetSize() const
{
    int64_t size = 1;
    for (const auto& section : m_sections)
        size = std::max(size, int64_t(section->GetFirst()) + section->GetCount());
    return static_cast<int>(size);
}

int64_t CPDFCrt::GetEntryCount() const
{
    int64_t count = 0;
    for (const auto& section : m_sections)
        count += section->GetCount();
    return count;
}

bool CPDFCrt::FindEntry(int objectNumber, s_crtentry& entry) const
{
    for (const auto& section : m_sections) {
        if (section->Covers(objectNumber)) {
            entry = section->GetEntry(objectNumber);
            return true;
        }
    }
    return false;
}

bool CPDFCrt::GetEntry(int objectNumber, int& generation, int& offset, char& type) const
{
    s_crtentry entry = {};
    if (!FindEntry(objectNumber, entry))
        return false;
    generation = entry.generation;
    offset = entry.offset;
    type = entry.type;
    return true;
}

void CPDFCrt::AddEntry(int objectNumber, int generation, int offset, char type)
{
    CheckObjectNumber(objectNumber);
    for (const auto& section : m_sections) {
        if (section->Covers(objectNumber)) {
            section->SetEntry(objectNumber, generation, offset, type);
            return;
        }
    }
    for (const auto& section : m_sections) {
        if (objectNumber >= int64_t(section->GetFirst()) - 1 &&
            objectNumber <= int64_t(section->GetFirst()) + section->GetCount()) {
            section->SetEntry(objectNumber, generation, offset, type);
            return;
        }
    }
    auto section = boost::shared_ptr<CPDFCrtSequence>(new CPDFCrtSequence(objectNumber, 1));
    section->SetEntry(objectNumber, generation, offset, type);
    m_sections.push_back(section);
}

void CPDFCrt::SetEntryOffset(int objectNumber, int offset)
{
    for (const auto& section : m_sections) {
        if (section->Covers(objectNumber)) {
            section->SetEntryOffset(objectNumber, offset);
            return;
        }
    }
}

void CPDFCrt::AddSection(int first, int count)
{
    const int64_t end = int64_t(first) + count;
    if (first < 0 || count < 0 || end - 1 > kPDFMaxObjectNumber)
        ThrowTextException("Object can't be added to this crt!");
    if (count == 0)
        return;
    for (const auto& section : m_sections) {
        const int64_t sectionEnd = int64_t(section->GetFirst()) + section->GetCount();
        const bool near =
            first <= sectionEnd + kPDFMaxCrtGapToMerge && end + kPDFMaxCrtGapToMerge >= section->GetFirst();
        if (!near)
            continue;
        if (section->GetFirst() > first)
            section->Grow(section->GetFirst() - first, false);
        if (end > sectionEnd)
            section->Grow(static_cast<int32_t>(end - sectionEnd), true);
        return;
    }
    if (GetEntryCount() + count > kPDFMaxCrtEntries)
        ThrowTextException("Object can't be added to this crt!");
    m_sections.push_back(boost::shared_ptr<CPDFCrtSequence>(new CPDFCrtSequence(first, count)));
}

void CPDFCrt::Clear()
{
    m_sections.clear();
}

void CPDFCrt::Write(std::ostream& stream) const
{
    stream << "xref\r\n";
    for (const auto& section : m_sections)
        section->Write(stream);
}

}  // namespace ZAVPDF

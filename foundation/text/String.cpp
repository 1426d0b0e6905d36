#include "foundation/text/String.h"

#include "foundation/text/StringAllocCache.h"
#include "platform/CrtShims.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <new>

namespace ZAV {

namespace {

const char kEmpty[] = "";

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}

CStringAllocCache& Cache()
{
    // Only called by a live String, which keeps the cache alive.
    return *CStringAllocCache::GetInstance();
}

// A zero-filled buffer: a text read as a list of strings then always ends
// inside its buffer, and no stale bytes of a reused buffer show.
char* NewBuffer(size_t request, uint32_t* capacity)
{
    char* buffer = Cache().Allocate(request, capacity);
    std::memset(buffer, 0, *capacity);
    return buffer;
}

// Length of a list of zero-terminated strings ended by an empty one,
// counting both final zeros.
size_t ListLength(const char* text)
{
    const char* p = text;
    while (*p)
        p += std::strlen(p) + 1;
    if (p == text)
        return 2;  // an empty list still carries its double zero
    return static_cast<size_t>(p - text) + 1;
}

}  // namespace

String::String()
{
    CStringAllocCache::AddUser();
}

String::String(const char* text, bool isList)
{
    CStringAllocCache::AddUser();
    if (!text) {
        Assign(kEmpty, 0);
        return;
    }
    if (!isList) {
        Assign(text, std::strlen(text));
        return;
    }
    const size_t length = ListLength(text);
    char* buffer = NewBuffer(length, &m_capacity);
    std::memcpy(buffer, text, length - 1);
    buffer[length - 1] = '\0';
    m_buffer = buffer;
}

String::String(const char* text, size_t length)
{
    CStringAllocCache::AddUser();
    if (!text)
        length = 0;
    else
        length = strnlen(text, length);
    Assign(text ? text : kEmpty, length);
}

String::String(char c)
{
    CStringAllocCache::AddUser();
    m_buffer = NewBuffer(2, &m_capacity);
    m_buffer[0] = c;
    m_buffer[1] = '\0';
}

String::String(const std::string& text)
{
    CStringAllocCache::AddUser();
    Assign(text.c_str(), text.size());
}

String::String(const String& other)
{
    CStringAllocCache::AddUser();
    if (other.m_buffer)
        Assign(other.m_buffer, std::strlen(other.m_buffer));
}

String::String(String&& other) noexcept
{
    CStringAllocCache::AddUser();
    m_buffer = other.m_buffer;
    m_capacity = other.m_capacity;
    other.m_buffer = nullptr;
    other.m_capacity = 0;
}

String::~String()
{
    ReleaseStorage();
    CStringAllocCache::RemoveUser();
}

void String::ReleaseStorage()
{
    if (m_buffer)
        Cache().Release(m_buffer, m_capacity);
    m_buffer = nullptr;
    m_capacity = 0;
}

void String::Take(char* buffer, uint32_t capacity)
{
    ReleaseStorage();
    m_buffer = buffer;
    m_capacity = capacity;
}

void String::Assign(const char* text, size_t length)
{
    // The new buffer is filled before the old one goes, so the source may
    // be this String's own text.
    uint32_t capacity = 0;
    char* buffer = NewBuffer(length + 1, &capacity);
    std::memcpy(buffer, text, length);
    buffer[length] = '\0';
    Take(buffer, capacity);
}

String& String::operator=(const String& other)
{
    if (this == &other)
        return *this;
    if (!other.m_buffer)
        ReleaseStorage();
    else
        Assign(other.m_buffer, std::strlen(other.m_buffer));
    return *this;
}

String& String::operator=(String&& other) noexcept
{
    if (this != &other) {
        ReleaseStorage();
        m_buffer = other.m_buffer;
        m_capacity = other.m_capacity;
        other.m_buffer = nullptr;
        other.m_capacity = 0;
    }
    return *this;
}

String& String::operator+=(const String& other)
{
    const size_t length = std::strlen(GetText());
    const size_t otherLength = std::strlen(other.GetText());
    if (otherLength == 0 && m_buffer)
        return *this;
    uint32_t capacity = 0;
    char* buffer = NewBuffer(length + otherLength + 1, &capacity);
    std::memcpy(buffer, GetText(), length);
    std::memcpy(buffer + length, other.GetText(), otherLength);
    buffer[length + otherLength] = '\0';
    Take(buffer, capacity);
    return *this;
}

String operator+(const String& a, const String& b)
{
    String result(a);
    result += b;
    return result;
}

const char* String::GetText() const
{
    return m_buffer ? m_buffer : kEmpty;
}

std::string String::ToStdString() const
{
    return std::string(GetText());
}

int String::GetLength() const
{
    return m_buffer ? static_cast<int>(std::strlen(m_buffer)) : 0;
}

char* String::GetBufferAt(int index)
{
    if (!m_buffer)
        Assign(kEmpty, 0);
    const int length = GetLength();
    return m_buffer + std::clamp(index, 0, length);
}

const char* String::GetBufferAt(int index) const
{
    const int length = GetLength();
    return GetText() + std::clamp(index, 0, length);
}

int String::Find(char c) const
{
    if (IsEmpty())
        return -1;
    const char* found = std::strchr(m_buffer, c);
    if (!found || c == '\0')
        return -1;
    return static_cast<int>(found - m_buffer);
}

void String::MakeUpper()
{
    if (!m_buffer)
        return;
    for (char* p = m_buffer; *p; ++p)
        *p = static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
}

void String::MakeLower()
{
    if (!m_buffer)
        return;
    for (char* p = m_buffer; *p; ++p)
        *p = static_cast<char>(std::tolower(static_cast<unsigned char>(*p)));
}

bool operator==(const String& a, const String& b)
{
    return std::strcmp(a.GetText(), b.GetText()) == 0;
}

bool operator!=(const String& a, const String& b)
{
    return !(a == b);
}

bool operator<(const String& a, const String& b)
{
    // strcmp compares the bytes as unsigned char.
    return std::strcmp(a.GetText(), b.GetText()) < 0;
}

bool String::StartsWith(const char* prefix, bool caseSensitive) const
{
    if (!m_buffer || !prefix)
        return false;
    const size_t n = std::strlen(prefix);
    return caseSensitive ? std::strncmp(m_buffer, prefix, n) == 0 : _strnicmp(m_buffer, prefix, n) == 0;
}

bool String::EndsWith(const char* suffix, bool caseSensitive) const
{
    if (!m_buffer || !suffix)
        return false;
    const size_t n = std::strlen(suffix);
    const size_t length = std::strlen(m_buffer);
    if (n == 0 || n > length)
        return false;
    const char* tail = m_buffer + length - n;
    return caseSensitive ? std::strncmp(tail, suffix, n) == 0 : _strnicmp(tail, suffix, n) == 0;
}

String String::Left(int count) const
{
    const int length = GetLength();
    return String(GetText(), static_cast<size_t>(std::clamp(count, 0, length)));
}

String String::Right(int count) const
{
    const int length = GetLength();
    const int n = std::clamp(count, 0, length);
    return String(GetText() + (length - n), static_cast<size_t>(n));
}

String String::Mid(int start) const
{
    const int length = GetLength();
    const int from = std::clamp(start, 1, length + 1) - 1;
    return String(GetText() + from, static_cast<size_t>(length - from));
}

String String::Mid(int start, int count) const
{
    const int length = GetLength();
    const int from = std::clamp(start, 1, length + 1) - 1;
    return String(GetText() + from, static_cast<size_t>(std::clamp(count, 0, length - from)));
}

void String::TrimLeft()
{
    if (!m_buffer)
        return;
    const char* p = m_buffer;
    while (IsBlank(*p))
        ++p;
    if (p != m_buffer)
        Assign(p, std::strlen(p));
}

void String::TrimRight()
{
    if (!m_buffer)
        return;
    size_t length = std::strlen(m_buffer);
    const size_t oldLength = length;
    while (length > 0 && IsBlank(m_buffer[length - 1]))
        --length;
    std::memset(m_buffer + length, 0, oldLength - length);
}

void String::Trim()
{
    TrimLeft();
    TrimRight();
}

String String::Replace(const char* needle, const char* replacement, int start) const
{
    const int length = GetLength();
    if (start > length)
        return String();
    const size_t from = static_cast<size_t>(std::max(start, 1) - 1);
    const char* text = GetText();
    if (!needle || !*needle)
        return String(text);
    const char* with = replacement ? replacement : kEmpty;
    std::string result(text, from);
    const size_t needleLength = std::strlen(needle);
    const char* p = text + from;
    while (const char* hit = std::strstr(p, needle)) {
        result.append(p, static_cast<size_t>(hit - p));
        result.append(with);
        p = hit + needleLength;
    }
    result.append(p);
    return String(result);
}

String String::StripNonAlphanumeric() const
{
    std::string kept;
    for (const char* p = GetText(); *p; ++p)
        if ((*p >= '0' && *p <= '9') || (*p >= 'A' && *p <= 'Z') || (*p >= 'a' && *p <= 'z'))
            kept.push_back(*p);
    return String(kept);
}

void String::Split(const char* separators, std::vector<String>& out) const
{
    out.clear();
    if (IsEmpty())
        return;
    if (separators && *separators) {
        const char* pieceStart = m_buffer;
        const char* p = m_buffer;
        for (; *p; ++p) {
            if (std::strchr(separators, *p)) {
                out.emplace_back(pieceStart, static_cast<size_t>(p - pieceStart));
                pieceStart = p + 1;
            }
        }
        out.emplace_back(pieceStart, static_cast<size_t>(p - pieceStart));
        return;
    }
    // A list of zero-terminated strings: never read beyond the buffer, even
    // when the text was not built as a list.
    const char* end = m_buffer + m_capacity;
    const char* p = m_buffer;
    while (p < end && *p) {
        const size_t n = strnlen(p, static_cast<size_t>(end - p));
        out.emplace_back(p, n);
        p += n + 1;
    }
}

char* String::AllocBuffer(size_t n)
{
    uint32_t capacity = 0;
    char* buffer = NewBuffer(n, &capacity);
    Take(buffer, capacity);
    return m_buffer;
}

char* String::GetBuffer(size_t n)
{
    const size_t length = static_cast<size_t>(GetLength());
    if (n > length || !m_buffer) {
        uint32_t capacity = 0;
        char* buffer = NewBuffer(n + 1, &capacity);
        std::memcpy(buffer, GetText(), length);
        Take(buffer, capacity);
    }
    return m_buffer;
}

void String::ReleaseBuffer()
{
    if (!m_buffer)
        return;
    // The writer may have filled the buffer to its last byte.
    const size_t length = strnlen(m_buffer, m_capacity);
    Assign(m_buffer, length);
}

void String::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void String::FormatV(const char* format, va_list args)
{
    if (!format) {
        Assign(kEmpty, 0);
        return;
    }
    // Measure first, then format into a buffer of exactly that size: no
    // format can write past it.
    va_list measure;
    va_copy(measure, args);
    const int needed = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (needed < 0) {
        Assign(kEmpty, 0);
        return;
    }
    uint32_t capacity = 0;
    char* buffer = NewBuffer(static_cast<size_t>(needed) + 1, &capacity);
    std::vsnprintf(buffer, static_cast<size_t>(needed) + 1, format, args);
    Take(buffer, capacity);
}

bool String::AddTrailingBackslash(bool keepDrive)
{
    const int length = GetLength();
    if (length == 0) {
        Assign("/", 1);
        return true;
    }
    const char last = m_buffer[length - 1];
    if (IsSeparator(last))
        return true;
    if (keepDrive && last == ':')
        return false;
    *this += String("/");
    return true;
}

bool String::RemoveTrailingBackslash(bool keepRoot)
{
    const int length = GetLength();
    if (length == 0 || !IsSeparator(m_buffer[length - 1]))
        return false;
    if (keepRoot && (length == 1 || (length > 1 && m_buffer[length - 2] == ':')))
        return false;
    m_buffer[length - 1] = '\0';
    return true;
}

void SplitPath(const String& path, String* drive, String* directory, String* name, String* extension)
{
    const char* text = path.GetText();
    const char* fileName = text;
    for (const char* p = text; *p; ++p)
        if (IsSeparator(*p))
            fileName = p + 1;
    // The extension's dot is looked for in the file name only, never in a
    // folder name.
    const char* dot = std::strrchr(fileName, '.');
    const char* end = fileName + std::strlen(fileName);
    if (drive)
        *drive = String(kEmpty);
    if (directory)
        *directory = String(text, static_cast<size_t>(fileName - text));
    if (name)
        *name = String(fileName, static_cast<size_t>((dot ? dot : end) - fileName));
    if (extension)
        *extension = String(dot ? dot + 1 : kEmpty);
}

String GetPathDirectory(const String& path)
{
    String directory;
    SplitPath(path, nullptr, &directory, nullptr, nullptr);
    return directory;
}

String GetPathFileName(const String& path, bool withoutExtension)
{
    String name;
    String extension;
    SplitPath(path, nullptr, nullptr, &name, &extension);
    if (withoutExtension || extension.GetLength() == 0)
        return name;
    return name + "." + extension;
}

String GetPathExtension(const String& path)
{
    String extension;
    SplitPath(path, nullptr, nullptr, nullptr, &extension);
    return extension;
}

String SetPathExtension(const String& path, const char* extension)
{
    String directory;
    String name;
    SplitPath(path, nullptr, &directory, &name, nullptr);
    return directory + name + "." + String(extension);
}

}  // namespace ZAV

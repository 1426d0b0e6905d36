// ZAV::String: the library's narrow, zero-terminated text. A null buffer is
// the empty text; every reader sees it as "". Buffers come from the
// process-wide CStringAllocCache. Positions are 0-based for GetBufferAt and
// Find, 1-based for Mid and Replace; every index is clamped to the text.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

namespace ZAV {

class String {
public:
    String();
    // From a zero-terminated text; a null text gives a buffer holding "".
    // With isList set the text is a list of zero-terminated strings ended by
    // an empty one, copied whole with both final zeros.
    String(const char* text, bool isList = false);
    // The first length bytes of the text (fewer when it ends sooner).
    String(const char* text, size_t length);
    template <typename N, typename = std::enable_if_t<std::is_integral_v<N> && !std::is_same_v<N, bool>>>
    String(const char* text, N length) : String(text, length < 0 ? size_t(0) : static_cast<size_t>(length))
    {
    }
    explicit String(char c);
    String(const std::string& text);
    String(const String& other);
    String(String&& other) noexcept;
    ~String();

    String& operator=(const String& other);
    String& operator=(String&& other) noexcept;
    String& operator+=(const String& other);

    // Never null.
    const char* GetText() const;
    std::string ToStdString() const;
    int GetLength() const;

    // The byte at a 0-based index, clamped to 0..length (the terminating zero).
    char* GetBufferAt(int index);
    const char* GetBufferAt(int index) const;

    // 0-based index of the first c; -1 when absent or the text is empty.
    int Find(char c) const;

    void MakeUpper();
    void MakeLower();

    // caseSensitive true compares exactly, false ignoring case. False for an
    // empty text or a null argument; EndsWith is false for an empty suffix.
    bool StartsWith(const char* prefix, bool caseSensitive = true) const;
    bool EndsWith(const char* suffix, bool caseSensitive = true) const;

    String Left(int count) const;
    String Right(int count) const;
    // From the 1-based position start to the end / for count characters.
    String Mid(int start) const;
    String Mid(int start, int count) const;

    // Remove blanks, tabs, LF and CR.
    void TrimLeft();
    void TrimRight();
    void Trim();

    // Every occurrence of needle from the 1-based position start on replaced
    // (no overlap); the text before start is kept. Empty when start lies
    // beyond the text; an empty needle replaces nothing.
    String Replace(const char* needle, const char* replacement, int start = 1) const;
    // Only 0-9, A-Z and a-z are kept.
    String StripNonAlphanumeric() const;

    // Pieces between any of the separator characters, empty pieces included.
    // Without separators (null or "") the text is read as a list of
    // zero-terminated strings as the list constructor builds it.
    void Split(const char* separators, std::vector<String>& out) const;

    // Drops the text and takes a zero-filled buffer of n bytes.
    char* AllocBuffer(size_t n);
    // A writable buffer for at least n characters and the zero; the text is kept.
    char* GetBuffer(size_t n);
    // Shrinks the buffer to the text after writing into GetBuffer.
    void ReleaseBuffer();

    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(const char* format, va_list args);

    // Appends "/" unless the text ends in "/" or "\" (then true). With
    // keepDrive set, a text ending in ":" is left unchanged and false comes
    // back. An empty text becomes "/".
    bool AddTrailingBackslash(bool keepDrive = false);
    // Removes one trailing "/" or "\" and returns true. With keepRoot set a
    // root ("/", or a drive root such as "C:\") stays and false comes back.
    bool RemoveTrailingBackslash(bool keepRoot = false);

    uint32_t GetCapacity() const { return m_capacity; }

private:
    void Assign(const char* text, size_t length);
    void Take(char* buffer, uint32_t capacity);
    void ReleaseStorage();
    bool IsEmpty() const { return !m_buffer || !*m_buffer; }

    char* m_buffer = nullptr;
    uint32_t m_capacity = 0;
};

String operator+(const String& a, const String& b);
bool operator==(const String& a, const String& b);
bool operator!=(const String& a, const String& b);
bool operator<(const String& a, const String& b);

// Paths: "/" separates, "\" also splits so Windows-style names still work.
// There are no drive letters: drive, when asked for, is always empty.
// Any output may be null.
void SplitPath(const String& path, String* drive, String* directory, String* name, String* extension);
// The folder part ending in its separator; empty for a bare file name.
String GetPathDirectory(const String& path);
// The file name; without its dot and extension when withoutExtension is set.
String GetPathFileName(const String& path, bool withoutExtension = false);
// The text after the last dot of the file name.
String GetPathExtension(const String& path);
// The path with its extension replaced (or added when it has none).
String SetPathExtension(const String& path, const char* extension);

}  // namespace ZAV

// An output stream buffer over an open file descriptor, so that a large
// document goes to its file as it is written instead of being gathered in
// memory first. Writing only appends: the position a stream asks for is
// the count of bytes written so far, and any other seek is refused.
#pragma once

#include <streambuf>
#include <vector>

class CDescriptorStreamBuffer : public std::streambuf {
public:
    // The descriptor stays the caller's: it is neither closed nor synced.
    explicit CDescriptorStreamBuffer(int fd);
    ~CDescriptorStreamBuffer() override;

    CDescriptorStreamBuffer(const CDescriptorStreamBuffer&) = delete;
    CDescriptorStreamBuffer& operator=(const CDescriptorStreamBuffer&) = delete;

    // The errno of the first write that failed, else 0. After a failure
    // nothing more is written and the stream sees every output fail.
    int GetFailure() const { return m_failure; }

protected:
    int_type overflow(int_type ch) override;
    std::streamsize xsputn(const char* data, std::streamsize count) override;
    int sync() override;
    pos_type seekoff(off_type offset, std::ios_base::seekdir way, std::ios_base::openmode which) override;

private:
    bool FlushBuffer();
    bool WriteAll(const char* data, size_t count);

    int m_fd;
    int m_failure = 0;
    // Bytes handed to the descriptor.
    off_type m_written = 0;
    std::vector<char> m_buffer;
};

#include "platform/files/DescriptorStreamBuffer.h"

#include <cerrno>
#include <unistd.h>

namespace {

// Small writes are gathered up to this size; larger ones go straight through.
constexpr size_t kBufferSize = 1 << 16;

}  // namespace

CDescriptorStreamBuffer::CDescriptorStreamBuffer(int fd) : m_fd(fd), m_buffer(kBufferSize)
{
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
}

CDescriptorStreamBuffer::~CDescriptorStreamBuffer()
{
    FlushBuffer();
}

bool CDescriptorStreamBuffer::WriteAll(const char* data, size_t count)
{
    if (m_failure != 0)
        return false;
    size_t done = 0;
    while (done < count) {
        const ssize_t n = write(m_fd, data + done, count - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            m_failure = errno;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    m_written += static_cast<off_type>(count);
    return true;
}

bool CDescriptorStreamBuffer::FlushBuffer()
{
    const size_t pending = static_cast<size_t>(pptr() - pbase());
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
    return WriteAll(m_buffer.data(), pending);
}

CDescriptorStreamBuffer::int_type CDescriptorStreamBuffer::overflow(int_type ch)
{
    if (!FlushBuffer())
        return traits_type::eof();
    if (traits_type::eq_int_type(ch, traits_type::eof()))
        return traits_type::not_eof(ch);
    *pptr() = traits_type::to_char_type(ch);
    pbump(1);
    return ch;
}

std::streamsize CDescriptorStreamBuffer::xsputn(const char* data, std::streamsize count)
{
    if (count <= epptr() - pptr())
        return std::streambuf::xsputn(data, count);
    if (!FlushBuffer())
        return 0;
    if (static_cast<size_t>(count) < m_buffer.size())
        return std::streambuf::xsputn(data, count);
    return WriteAll(data, static_cast<size_t>(count)) ? count : 0;
}

int CDescriptorStreamBuffer::sync()
{
    return FlushBuffer() ? 0 : -1;
}

CDescriptorStreamBuffer::pos_type CDescriptorStreamBuffer::seekoff(off_type offset, std::ios_base::seekdir way,
                                                                   std::ios_base::openmode which)
{
    // Writing never goes back, so the current position is also the end.
    if (offset != 0 || way == std::ios_base::beg || (which & std::ios_base::out) == 0)
        return pos_type(off_type(-1));
    return pos_type(m_written + (pptr() - pbase()));
}

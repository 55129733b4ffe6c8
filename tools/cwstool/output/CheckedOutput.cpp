// CheckedOutput.cpp - standard output that keeps the reason of a failed write (see CheckedOutput.h).
#include "tools/cwstool/output/CheckedOutput.h"

#include <cerrno>

namespace cwstool {

bool CheckedOutput::finish()
{
    errno = 0;
    if (m_error == 0 && std::fflush(m_stream) != 0) m_error = errno != 0 ? errno : EIO;
    return m_error == 0;
}

std::streamsize CheckedOutput::xsputn(const char* data, std::streamsize size)
{
    if (m_error != 0) return 0;
    errno = 0;
    const std::size_t count = static_cast<std::size_t>(size);
    if (std::fwrite(data, 1, count, m_stream) != count) {
        m_error = errno != 0 ? errno : EIO;
        return 0;
    }
    return size;
}

CheckedOutput::int_type CheckedOutput::overflow(int_type c)
{
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char byte = traits_type::to_char_type(c);
    return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
}

}  // namespace cwstool

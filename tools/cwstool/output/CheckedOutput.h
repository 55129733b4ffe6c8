// CheckedOutput.h - the results of a command on their way to standard output, with the reason of a
// write that failed: std::cout only sets its badbit, and a dump onto a full disk once ended with 0.
// Tool layer, standard C++ only.
#pragma once

#include <cstdio>     // FILE
#include <streambuf>

namespace cwstool {

// A stream buffer over a C stream (stdout for cwstool): every byte goes through fwrite, and the errno
// of the first write that fails is kept; after it, nothing more is written.
class CheckedOutput : public std::streambuf {
public:
    explicit CheckedOutput(std::FILE* stream) : m_stream(stream) {}

    // Hands on what the C stream still holds. False when any write failed; error() then says why.
    bool finish();
    int error() const { return m_error; }  // the errno of the first write that failed, 0 when none

protected:
    std::streamsize xsputn(const char* data, std::streamsize size) override;
    int_type overflow(int_type c) override;

private:
    std::FILE* m_stream;
    int m_error = 0;
};

}  // namespace cwstool

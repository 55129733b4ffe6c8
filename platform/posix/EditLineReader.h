// EditLineReader.h - command lines from a terminal, with a prompt, line editing and a history of the
// session's lines, through libedit (BSD licence).
//
// POSIX layer. main uses it when standard input is a terminal; piped input goes through
// StreamLineReader and sees no prompt.
#pragma once

#include "platform/posix/LineReader.h"

#include <iosfwd>

namespace wizard::platform {

class EditLineReader : public LineReader {
public:
    // `out` is flushed before each prompt, so that what the dialog printed comes first.
    explicit EditLineReader(std::ostream& out) : m_out(out) {}
    LineStatus readLine(std::string& line) override;

private:
    std::ostream& m_out;
};

}  // namespace wizard::platform

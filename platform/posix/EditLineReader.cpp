// EditLineReader.cpp - terminal lines through libedit (see EditLineReader.h).
#include "platform/posix/EditLineReader.h"

#include <editline/readline.h>

#include <cstdlib>  // free
#include <memory>
#include <ostream>

namespace wizard::platform {

namespace {

constexpr char kPrompt[] = "> ";

struct FreeLine {
    void operator()(char* line) const { std::free(line); }
};

}  // namespace

LineStatus EditLineReader::readLine(std::string& line)
{
    m_out.flush();
    const std::unique_ptr<char, FreeLine> read(::readline(kPrompt));
    if (!read) {  // Ctrl-D on an empty line, or the terminal went away
        m_out << '\n';  // what comes next starts on a line of its own, not after the prompt
        return LineStatus::End;
    }
    line = read.get();
    if (line.size() > kConsoleLineMax) {
        line.clear();
        return LineStatus::TooLong;
    }
    if (!line.empty()) ::add_history(read.get());
    return LineStatus::Line;
}

}  // namespace wizard::platform

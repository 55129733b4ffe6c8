// LineReader.h - where the console dialog's command lines come from: a stream (a pipe, a file, a
// test's string), or a terminal with line editing (EditLineReader.h).
//
// POSIX layer.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>

namespace wizard::platform {

// Lines longer than this many bytes are refused instead of being stored.
inline constexpr std::size_t kConsoleLineMax = 4096;

enum class LineStatus {
    Line,     // `line` holds the next line, without its line end (and without a CR before it)
    TooLong,  // the line was longer than kConsoleLineMax: consumed, not stored
    End,      // no more input
};

class LineReader {
public:
    virtual ~LineReader() = default;
    virtual LineStatus readLine(std::string& line) = 0;
};

// Lines from a stream, as they come: no prompt, no echo. A last line without a line end still counts.
class StreamLineReader : public LineReader {
public:
    explicit StreamLineReader(std::istream& in) : m_in(in) {}
    LineStatus readLine(std::string& line) override;

private:
    std::istream& m_in;
};

}  // namespace wizard::platform

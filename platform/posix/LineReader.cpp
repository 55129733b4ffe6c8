// LineReader.cpp - lines from a stream (see LineReader.h).
#include "platform/posix/LineReader.h"

#include <istream>

namespace wizard::platform {

LineStatus StreamLineReader::readLine(std::string& line)
{
    line.clear();
    bool any = false, tooLong = false;
    for (int c = m_in.get(); c != std::char_traits<char>::eof(); c = m_in.get()) {
        any = true;
        if (c == '\n') break;
        if (line.size() < kConsoleLineMax)
            line.push_back(static_cast<char>(c));
        else
            tooLong = true;
    }
    if (!any) return LineStatus::End;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return tooLong ? LineStatus::TooLong : LineStatus::Line;
}

}  // namespace wizard::platform

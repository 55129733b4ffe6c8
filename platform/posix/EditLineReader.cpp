// EditLineReader.cpp - terminal lines through libedit, loaded on demand (see EditLineReader.h).
#include "platform/posix/EditLineReader.h"

#include <dlfcn.h>

#include <cstdlib>  // free
#include <ostream>

namespace wizard::platform {

namespace {

constexpr char kLibrary[] = "libedit.so.2";  // Debian's libedit2: the readline interface of libedit
constexpr char kPrompt[] = "> ";

// The two functions of libedit's readline interface the form needs.
struct Api {
    char* (*readline)(const char* prompt) = nullptr;
    int (*add_history)(const char* line) = nullptr;
};

class EditLineReader : public LineReader {
public:
    EditLineReader(std::ostream& out, Api api) : m_out(out), m_api(api) {}

    LineStatus readLine(std::string& line) override
    {
        m_out.flush();
        char* read = m_api.readline(kPrompt);
        if (!read) {  // Ctrl-D on an empty line, or the terminal went away
            m_out << '\n';  // what comes next starts on a line of its own, not after the prompt
            return LineStatus::End;
        }
        line = read;
        std::free(read);  // readline's line is malloc'd
        if (line.size() > kConsoleLineMax) {
            line.clear();
            return LineStatus::TooLong;
        }
        if (!line.empty()) m_api.add_history(line.c_str());
        return LineStatus::Line;
    }

private:
    std::ostream& m_out;
    Api m_api;
};

template <typename Function>
bool bind(void* library, const char* name, Function& into)
{
    into = reinterpret_cast<Function>(::dlsym(library, name));
    return into != nullptr;
}

}  // namespace

std::unique_ptr<LineReader> editLineReader(std::ostream& out)
{
    // Kept loaded for the rest of the run: the reader lives as long as the form.
    void* library = ::dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL);
    Api api;
    if (!library || !bind(library, "readline", api.readline) || !bind(library, "add_history", api.add_history))
        return nullptr;
    return std::make_unique<EditLineReader>(out, api);
}

}  // namespace wizard::platform

// ErrorChain.cpp - the process-wide error chain: AppendError, errorChain, releaseErrorChain (see
// cwscene/Encoding.h).
//
// Portable: standard C++ only. Part of the byte layer (scenefile/). Every record and section writer
// that catches a failure appends its text here before it throws its own name; Save writes the chain
// to the log when asked (ErrorLog.cpp). The chain never throws: when memory runs out a text is lost,
// never the result of the save that reports it.
#include <cwscene/Encoding.h>

#include <cstring>  // strlen
#include <new>      // std::bad_alloc
#include <optional>
#include <string>

namespace {

std::optional<std::string> g_errorChain;  // none until the first AppendError
constexpr char kSeparator[] = "-> ";

}  // namespace

void AppendError(const char* message)
{
    if (!message) return;
    try {
        if (!g_errorChain) {
            g_errorChain.emplace(message);
            return;
        }
        // Build the longer chain aside, so that a failed allocation keeps the chain as it was.
        std::string joined;
        joined.reserve(g_errorChain->size() + sizeof kSeparator - 1 + std::strlen(message));
        joined.append(*g_errorChain).append(kSeparator).append(message);
        g_errorChain->swap(joined);
    } catch (const std::bad_alloc&) {
        // ignored: when memory runs out the message is lost, never the save's result
    }
}

const char* errorChain() { return g_errorChain ? g_errorChain->c_str() : nullptr; }

void releaseErrorChain() { g_errorChain.reset(); }

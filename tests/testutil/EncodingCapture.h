// EncodingCapture.h - test helpers for the scene file's encoding: run a writer on a temporary stream
// in a chosen encoding and get its bytes back; build expected text-encoding lines; read the error chain.
#pragma once

#include <cstdio>
#include <initializer_list>
#include <string>

#include <gtest/gtest.h>

#include <cwscene/Encoding.h>
#include "scenefile/WriteFaults.h"  // failStreamOperation

namespace testutil {

enum class Encoding { Binary, Text };

// Selects an encoding for the lifetime of the guard and restores binary (the process default) after;
// also turns the fault hook off on both ends, so that one test's hook never reaches the next.
class EncodingScope {
public:
    explicit EncodingScope(Encoding encoding)
    {
        setBinaryModeSwitch(encoding == Encoding::Binary ? 1 : 0);
        scenefile::testing::failStreamOperation(0);
    }
    ~EncodingScope()
    {
        setBinaryModeSwitch(1);
        scenefile::testing::failStreamOperation(0);
    }
    EncodingScope(const EncodingScope&) = delete;
    EncodingScope& operator=(const EncodingScope&) = delete;
};

// The bytes `write(stream)` puts on a fresh temporary stream. `failure` receives the text of a
// WriteFailure that escapes the writer ("" when none).
template <typename Writer>
std::string capture(Writer write, std::string* failure = nullptr)
{
    std::FILE* stream = std::tmpfile();
    if (!stream) {
        ADD_FAILURE() << "tmpfile failed";
        return std::string();
    }
    if (failure) failure->clear();
    try {
        write(stream);
    } catch (const WriteFailure& f) {
        if (failure)
            *failure = f.text();
        else
            ADD_FAILURE() << "unexpected write failure";
    }
    std::fflush(stream);
    std::rewind(stream);
    std::string bytes;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, stream)) > 0) bytes.append(buffer, n);
    std::fclose(stream);
    return bytes;
}

// Lines of the text encoding, each followed by CR LF: lines({"4", "SHAP"}) is "4\r\nSHAP\r\n".
inline std::string lines(std::initializer_list<std::string> items)
{
    std::string out;
    for (const std::string& item : items) out += item + "\r\n";
    return out;
}

// The error chain as a std::string ("" when there is none).
inline std::string chain() { return errorChain() ? errorChain() : ""; }

}  // namespace testutil

// Process.h - runs a program the way a user would from a shell: a working directory, an environment,
// text on standard input; collects its standard output and exit status. POSIX only.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace testutil {

struct RunResult {
    int exitCode = -1;   // -1 when the program did not exit normally (a signal, or it did not start)
    std::string output;  // standard output and standard error, interleaved
};

// Runs `program` with `args` in `workingDir`, with the parent's environment plus `env` (entries with
// an empty value are removed), feeding `input` on standard input and then closing it. A program that
// shows no sign of life for 10 seconds is killed.
RunResult runProgram(const std::string& program, const std::vector<std::string>& args, const std::string& workingDir,
                     const std::map<std::string, std::string>& env, const std::string& input);

}  // namespace testutil

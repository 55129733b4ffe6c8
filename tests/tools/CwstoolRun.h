// CwstoolRun.h - what the tests of cwstool share: a command line run in-process, with its exit status
// and both output streams, and the wizard's golden scene files as bytes.
#pragma once

#include "tools/cwstool/Commands.h"

#include "testutil/Hex.h"

#include <cstdlib>  // getenv
#include <sstream>
#include <string>
#include <vector>

namespace cwstooltest {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

// `cwstool ARGS...` as cwstool::run executes it.
inline Outcome cwstool(std::vector<std::string> args)
{
    std::ostringstream out, err;
    int status = cwstool::run(args, out, err);
    return {status, out.str(), err.str()};
}

// tests/builder/golden/NAME (hex) as the bytes it describes.
inline std::string golden(const char* name)
{
    const char* root = std::getenv("SKIPFLOOR_SOURCE_DIR");
    return testutil::fromHex(testutil::readFile(std::string(root ? root : ".") + "/tests/builder/golden/" + name));
}

}  // namespace cwstooltest

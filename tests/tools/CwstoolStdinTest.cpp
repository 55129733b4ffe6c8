// CwstoolStdinTest.cpp - '-' names standard input for every cwstool command that reads a file, and
// standard input is read from descriptor 0 itself: here a socket, which no path such as /dev/stdin
// can open again (opening it fails with ENXIO), so a command that reopened it by path would fail.
// POSIX only (socketpair, dup2).
#include "CwstoolRun.h"

#include "testutil/Hex.h"

#include <gtest/gtest.h>

#include <cstdio>  // clearerr, stdin
#include <string>
#include <vector>

#include <sys/socket.h>  // socketpair, shutdown
#include <unistd.h>      // dup, dup2, write, close

namespace {

using cwstooltest::cwstool;
using cwstooltest::golden;

// Puts a socket carrying `bytes` (then its end) on descriptor 0; gives back the earlier descriptor 0.
class SocketOnStandardInput {
public:
    explicit SocketOnStandardInput(const std::string& bytes) : m_saved(::dup(0))
    {
        int ends[2];
        EXPECT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, ends), 0);
        EXPECT_EQ(::write(ends[1], bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        ::shutdown(ends[1], SHUT_WR);
        ::close(ends[1]);
        ::dup2(ends[0], 0);
        ::close(ends[0]);
        std::clearerr(stdin);  // the end of the input before is not this one's
    }
    ~SocketOnStandardInput()
    {
        ::dup2(m_saved, 0);
        ::close(m_saved);
        std::clearerr(stdin);
    }

private:
    int m_saved;
};

TEST(CwstoolStdin, EveryCommandReadsDashFromDescriptorZero)
{
    testutil::TempDir dir;
    const std::string scene = golden("zendel-default.hex");
    const struct { std::vector<std::string> args; std::string out; } rows[] = {
        {{"check", "-"}, "-: valid binary scene file, 25 frames, 2 shapes, 2 materials\n"},
        {{"dump", "--flat", "-"}, "\"エクステリア\""},
        {{"convert", "--text", "-", dir.file("c.cws")}, ""},
        {{"preview", "-", dir.file("p.svg")}, ""},
        {{"export", "-", dir.file("e.glb")}, ""},
        {{"export", "--levels", "-", dir.file("e.gltf")}, ""},
        {{"export", "-", dir.file("e.ifc")}, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.args[0] + " " + row.args[1]);
        SocketOnStandardInput input(scene);
        const cwstooltest::Outcome result = cwstool(row.args);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out.substr(0, row.out.size()), row.out);
    }
    for (const char* written : {"c.cws", "p.svg", "e.glb", "e.gltf", "e.ifc"}) {
        EXPECT_FALSE(testutil::readFile(dir.file(written)).empty()) << written;
    }
    // The same scene read back through the converted copy: standard input gave every byte.
    EXPECT_EQ(cwstool({"check", dir.file("c.cws")}).status, 0);
}

}  // namespace

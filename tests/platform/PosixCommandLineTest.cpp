// PosixCommandLineTest.cpp - argv into the wizard's parameters: only '-' marks a flag.
#include "platform/posix/PosixCommandLine.h"

#include "testutil/Hex.h"

using namespace wizard;  // the wizard's code under test

namespace {

TEST(PosixCommandLine, OnlyADashMarksAFlag)
{
    const char* argv[] = {"skipfloor-wizard", "-p", "/home/u/a.cws", "--", "b c.prm", "", "-", "x"};
    std::vector<CommandParam> params = platform::commandParamsFromArgv(8, argv);
    const std::vector<std::pair<std::string, bool>> expected{
        {"p", true}, {"/home/u/a.cws", false}, {"-", true}, {"b c.prm", false},
        {"", false}, {"", true}, {"x", false}};
    ASSERT_EQ(params.size(), expected.size());
    for (std::size_t i = 0; i < params.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(params[i].text, expected[i].first);
        EXPECT_EQ(params[i].isFlag, expected[i].second);
    }
}

}  // namespace

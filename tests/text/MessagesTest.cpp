// Tests for text/Messages.h: filling in a pattern is safe whatever a translation holds.
#include "text/Messages.h"

#include <gtest/gtest.h>

namespace {

TEST(Messages, FillTakesOnlyWhatItWasGiven)
{
    struct Row {
        const char* pattern;
        const char* expected;
    };
    const Row rows[] = {
        {"wrote %s (%s bytes)", "wrote a.cws (2222 bytes)"},
        {"%2$s に %1$s 個", "2222 に a.cws 個"},             // a translation reorders
        {"%1$s and again %1$s", "a.cws and again a.cws"},
        {"100 %% of %s", "100 % of a.cws"},
        {"%s %s %s", "a.cws 2222 "},                        // a value that is not there is left out
        {"%3$s|%9$s|%d|%", "||%d|%"},                       // nothing else is read
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pattern);
        EXPECT_EQ(messages::filledIn(row.pattern, std::string("a.cws"), "2222"), row.expected);
    }
}

}  // namespace

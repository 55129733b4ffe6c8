// Tests for builder/SjisTexts.h: every name is the CP932 (Shift-JIS) form of the UTF-8 text in its
// comment (testutil/Cp932.h reads the header from the source tree and converts each comment).
#include "builder/SjisTexts.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "testutil/Cp932.h"

namespace {

TEST(BuilderSjisTexts, EveryConstantMatchesItsComment)
{
    std::map<std::string, std::string> all = {
        {"kSiteName", wizard::sjis::kSiteName},
        {"kFoundationName", wizard::sjis::kFoundationName},
    };
    for (int i = 0; i < 25; ++i) all["kFrameNames[" + std::to_string(i + 1) + "]"] = wizard::sjis::kFrameNames[i];
    testutil::expectConstantsMatchComments("builder/SjisTexts.h", all, "kFrameNames");
}

}  // namespace

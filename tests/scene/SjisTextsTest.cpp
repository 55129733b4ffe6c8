// Tests for scene/SjisTexts.h: every name is the CP932 (Shift-JIS) form of the UTF-8 text in its
// comment (testutil/Cp932.h reads the header from the source tree and converts each comment).
#include "scene/SjisTexts.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "testutil/Cp932.h"

namespace {

TEST(SjisTexts, EveryConstantMatchesItsComment)
{
    std::map<std::string, std::string> all = {
        {"kNewColourName", sjis::kNewColourName},
        {"kNewLightName", sjis::kNewLightName},
        {"kNewViewName", sjis::kNewViewName},
        {"kNewLeadName", sjis::kNewLeadName},
        {"kNewSensorName", sjis::kNewSensorName},
        {"kNewFrameName", sjis::kNewFrameName},
        {"kCubeName", sjis::kCubeName},
    };
    testutil::expectConstantsMatchComments("scene/SjisTexts.h", all, "");
}

}  // namespace

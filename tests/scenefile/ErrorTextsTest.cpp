// Tests for scenefile/ErrorTexts.h: every text of the error chain is the CP932 (Shift-JIS) form of the
// UTF-8 text in its comment (testutil/Cp932.h reads the header from the source tree and converts each
// comment).
#include "scenefile/ErrorTexts.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "testutil/Cp932.h"

namespace {

TEST(ErrorTexts, EveryConstantMatchesItsComment)
{
    testutil::expectConstantsMatchComments("scenefile/ErrorTexts.h", {
        {"kBinaryWriteFailed", sjis::kBinaryWriteFailed},
        {"kTextWriteFailed", sjis::kTextWriteFailed},
        {"kTextOrBinaryWriteFailed", sjis::kTextOrBinaryWriteFailed},
        {"kTextureFileNameMissing", sjis::kTextureFileNameMissing},
        {"kActionLabel", sjis::kActionLabel},
        {"kFileOpenFailed", sjis::kFileOpenFailed},
        {"kSceneLabel", sjis::kSceneLabel},
        {"kFileHeaderLabel", sjis::kFileHeaderLabel},
        {"kUnitSectionLabel", sjis::kUnitSectionLabel},
        {"kColorSectionLabel", sjis::kColorSectionLabel},
        {"kTextureSectionLabel", sjis::kTextureSectionLabel},
        {"kNoRootFrame", sjis::kNoRootFrame},
        {"kPartSectionLabel", sjis::kPartSectionLabel},
        {"kTooManyLights", sjis::kTooManyLights},
        {"kFileCloseFailed", sjis::kFileCloseFailed},
        {"kCountTooLarge", sjis::kCountTooLarge},
        {"kTextTooLong", sjis::kTextTooLong},
    });
}

}  // namespace

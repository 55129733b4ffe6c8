// Tests for include/cwscene/Translation.h: the reader's refusals through a program's translator.
#include <cwscene/RecordParser.h>
#include <cwscene/Translation.h>

#include "testutil/Hex.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// A translation that puts the values the other way round, and names one field otherwise.
const char* reversed(const char* english)
{
    if (std::strcmp(english, "%s: %s") == 0) return "%2$s (%1$s)";
    if (std::strcmp(english, "the format version") == 0) return "VERSION";
    return english;
}

class Nothing : public scenefile::SceneVisitor {};

TEST(Translation, RefusalsGoThroughTheProgramsTranslator)
{
    Nothing visitor;
    const std::string cut = testutil::fromHex("04 00");  // half a format version
    cwscene::setTranslator(&reversed);
    const std::string translated = scenefile::parseScene(cut, visitor).error;
    cwscene::setTranslator(nullptr);
    EXPECT_EQ(translated, "unexpected end of file: expected VERSION (4 bytes), 2 left (offset 0)");
    EXPECT_EQ(scenefile::parseScene(cut, visitor).error, "offset 0: unexpected end of file: expected the format "
                                                          "version (4 bytes), 2 left");
}

}  // namespace

// RegFileTest.cpp - the REGEDIT4 model: what it keeps, how it escapes, what it refuses.
#include "platform/posix/RegFile.h"

#include "testutil/Hex.h"

using namespace wizard;  // the wizard's code under test

namespace {

constexpr char kEnvironment[] = "HKEY_CURRENT_USER\\Software\\Tolvarix\\Quorrel\\Environment";

// A store is written back byte for byte outside the lines of the values set: blanks and tabs, blank
// lines, comments, other keys' values of every type, a header with a blank after it, a last line
// without its line end, and each file's own line ends for the lines added. A name with an escape that
// is not "\\" or "\"" is nobody's name of ours ("House\SizeX" is not HouseSizeX).
TEST(RegFile, KeepsEveryByteOutsideTheLinesItSets)
{
    const struct {
        const char* what;
        std::string before, after;
    } rows[] = {
        {"LF lines, tabs, a foreign header and a last line without its end",
         "REGEDIT4\t\n"
         "; exported by hand\n"
         "\n"
         "\n"
         "[HKEY_CURRENT_USER\\Software\\Other]\n"
         "@=\"default text\"\n"
         "\"Keep\"=\t\"yes\"\n"
         "\"Blob\"=hex:01,02,03,\\\n"
         "  04,05\n"
         "\"Gone\"=-\n"
         "\n"
         "[hkey_current_user\\software\\tolvarix\\quorrel\\environment]\n"
         "; keep me\n"
         "  \"housesizex\" = \"7\"\n"
         "\"House\\SizeX\"=\"not ours\"\n"
         "\"Mine\"=\"left alone\"\n"
         "\n"
         "; the end",
         "REGEDIT4\t\n"
         "; exported by hand\n"
         "\n"
         "\n"
         "[HKEY_CURRENT_USER\\Software\\Other]\n"
         "@=\"default text\"\n"
         "\"Keep\"=\t\"yes\"\n"
         "\"Blob\"=hex:01,02,03,\\\n"
         "  04,05\n"
         "\"Gone\"=-\n"
         "\n"
         "[hkey_current_user\\software\\tolvarix\\quorrel\\environment]\n"
         "; keep me\n"
         "  \"housesizex\"=\"10\"\n"
         "\"House\\SizeX\"=\"not ours\"\n"
         "\"Mine\"=\"left alone\"\n"
         "\"LandSizeX\"=\"15\"\n"
         "\n"
         "; the end"},
        {"CR LF lines, a value already set, one of another type replaced",
         "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Tolvarix\\Quorrel\\Environment]\r\n"
         "\"HouseSizeX\"=\"10\"\r\n\"LandSizeX\"=hex:31,\\\r\n  35\r\n\"Other\"=dword:1\r\n",
         "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Tolvarix\\Quorrel\\Environment]\r\n"
         "\"HouseSizeX\"=\"10\"\r\n\"LandSizeX\"=\"15\"\r\n\"Other\"=dword:1\r\n"},
        {"no such key, and no line end at the end",
         "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"a\"=\"b\"",
         "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"a\"=\"b\"\n\n"
         "[HKEY_CURRENT_USER\\Software\\Tolvarix\\Quorrel\\Environment]\n\"HouseSizeX\"=\"10\"\n\"LandSizeX\"=\"15\"\n\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        std::optional<regfile::Document> document = regfile::parse(row.before);
        ASSERT_TRUE(document);
        EXPECT_SAME_BYTES(regfile::serialize(*document), row.before);
        regfile::setString(*document, kEnvironment, "HouseSizeX", "10");
        regfile::setString(*document, kEnvironment, "LandSizeX", "15");
        EXPECT_SAME_BYTES(regfile::serialize(*document), row.after);
    }
}

TEST(RegFile, EscapesBackslashAndQuoteLikeRegedit)
{
    regfile::Document document = regfile::emptyDocument();
    regfile::setString(document, "HKEY_CURRENT_USER\\K", "a\\b\"c", "C:\\dir \"x\"");
    const std::string text = regfile::serialize(document);
    EXPECT_EQ(text, "REGEDIT4\n\n[HKEY_CURRENT_USER\\K]\n\"a\\\\b\\\"c\"=\"C:\\\\dir \\\"x\\\"\"\n\n");

    std::optional<regfile::Document> back = regfile::parse(text);
    ASSERT_TRUE(back);
    ASSERT_EQ(back->sections.size(), 1u);
    EXPECT_EQ(back->sections[0].entries.at(0).name, "a\\b\"c");
    // The name read back is the one set: setting it again finds it unchanged.
    EXPECT_FALSE(regfile::setString(*back, "HKEY_CURRENT_USER\\K", "a\\b\"c", "C:\\dir \"x\""));
}

TEST(RegFile, StrayCarriageReturnsAndTheUnnamedDefault)
{
    // "dword:1\r \r" once kept its inner CR, which read back as part of the line end after a rewrite.
    std::optional<regfile::Document> document = regfile::parse("REGEDIT4\n[K]\n\"a\"=dword:1\r \r\n\"\"=\"x\"\n");
    ASSERT_TRUE(document);
    regfile::setString(*document, "K", "", "y");  // ""= and @= both name the default value
    EXPECT_EQ(regfile::serialize(*document), "REGEDIT4\n[K]\n\"a\"=dword:1\r \r\n\"\"=\"y\"\n");
}

// regedit's import merges a key that stands twice and lets the later copy of a value win: every copy
// is set, so no stale one survives. A name with an escape only regedit knows ("\n") keeps its bytes.
TEST(RegFile, EveryCopyOfAValueAndForeignEscapes)
{
    std::optional<regfile::Document> document =
        regfile::parse("REGEDIT4\n[K]\n\"a\\nb\"=\"x\"\n\"v\"=\"1\"\n[k]\n\"V\"=\"2\"\n\"v\"=\"3\"\n[Other]\n");
    ASSERT_TRUE(document);
    EXPECT_TRUE(regfile::setString(*document, "K", "v", "9"));
    EXPECT_FALSE(regfile::setString(*document, "K", "v", "9"));     // already so everywhere: no rewrite
    EXPECT_TRUE(regfile::setString(*document, "K", "new", "n"));    // in no copy: into the last
    EXPECT_TRUE(regfile::setString(*document, "Fresh", "f", "1"));  // no such key: a new section
    EXPECT_EQ(regfile::serialize(*document),
              "REGEDIT4\n[K]\n\"a\\nb\"=\"x\"\n\"v\"=\"9\"\n[k]\n\"V\"=\"9\"\n\"v\"=\"9\"\n\"new\"=\"n\"\n[Other]\n\n"
              "[Fresh]\n\"f\"=\"1\"\n\n");
}

TEST(RegFile, RefusesWhatItCannotKeepIntact)
{
    const std::pair<const char*, std::string> rows[] = {
        {"empty file", ""},
        {"another header", "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\K]\n"},
        {"a value before any section", "REGEDIT4\n\"a\"=\"b\"\n"},
        {"unterminated string", "REGEDIT4\n[K]\n\"a\"=\"b\n"},
        {"unterminated name", "REGEDIT4\n[K]\n\"a=\"b\"\n"},
        {"junk after a string", "REGEDIT4\n[K]\n\"a\"=\"b\" c\n"},
        {"no '='", "REGEDIT4\n[K]\n\"a\" \"b\"\n"},
        {"section without bracket", "REGEDIT4\n[K\n"},
        {"empty section name", "REGEDIT4\n[]\n"},
        {"a stray line", "REGEDIT4\n[K]\nhello\n"},
        {"a continued value at the end", "REGEDIT4\n[K]\n\"a\"=hex:01,\\\n"},
        {"a NUL byte", std::string("REGEDIT4\n[K]\n\"a\"=\"b\0\"\n", 19)},
    };
    for (const auto& [what, text] : rows) {
        SCOPED_TRACE(what);
        std::string error;
        EXPECT_FALSE(regfile::parse(text, &error));
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace

// RegFileTest.cpp - the registry file model: what it keeps, how it escapes, the forms it reads and
// writes, what it refuses.
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

// The forms regedit reads and writes: UTF-16LE after FF FE (its export, with a character outside the
// BMP and an unpaired surrogate in a comment, both kept unit for unit), UTF-8 after EF BB BF, plain
// bytes with the version 5.00 header, and lines ending in CR alone. Each is written back in its own
// form, header and line ends; a value set gets its new text, one added ends as the file's lines do.
TEST(RegFile, ReadsAndWritesTheFormsRegeditWrites)
{
    using testutil::fromHex;
    const struct {
        const char* what;
        std::string before, after;
    } rows[] = {
        {"UTF-16LE, REGEDIT4, CR LF",
         fromHex("FF FE"
                 "52 00 45 00 47 00 45 00 44 00 49 00 54 00 34 00 0D 00 0A 00"  // REGEDIT4
                 "3B 00 E5 65 00 D8 3D D8 00 DE 0D 00 0A 00"                    // ;日, lone D800, U+1F600
                 "5B 00 4B 00 5D 00 0D 00 0A 00"                                // [K]
                 "22 00 61 00 22 00 3D 00 22 00 62 00 22 00 0D 00 0A 00"),      // "a"="b"
         fromHex("FF FE"
                 "52 00 45 00 47 00 45 00 44 00 49 00 54 00 34 00 0D 00 0A 00"
                 "3B 00 E5 65 00 D8 3D D8 00 DE 0D 00 0A 00"
                 "5B 00 4B 00 5D 00 0D 00 0A 00"
                 "22 00 61 00 22 00 3D 00 22 00 63 00 22 00 0D 00 0A 00"        // "a"="c"
                 "22 00 64 00 22 00 3D 00 22 00 65 00 22 00 0D 00 0A 00")},     // "d"="e"
        {"UTF-16LE, version 5.00, LF, no line end at the end",
         fromHex("FF FE"
                 "57 00 69 00 6E 00 64 00 6F 00 77 00 73 00 20 00 52 00 65 00 67 00 69 00 73 00 74 00 72 00 79 00"
                 "20 00 45 00 64 00 69 00 74 00 6F 00 72 00 20 00 56 00 65 00 72 00 73 00 69 00 6F 00 6E 00"
                 "20 00 35 00 2E 00 30 00 30 00 0A 00"  // Windows Registry Editor Version 5.00
                 "5B 00 4B 00 5D 00 0A 00"              // [K]
                 "22 00 61 00 22 00 3D 00 22 00 62 00 22 00"),
         fromHex("FF FE"
                 "57 00 69 00 6E 00 64 00 6F 00 77 00 73 00 20 00 52 00 65 00 67 00 69 00 73 00 74 00 72 00 79 00"
                 "20 00 45 00 64 00 69 00 74 00 6F 00 72 00 20 00 56 00 65 00 72 00 73 00 69 00 6F 00 6E 00"
                 "20 00 35 00 2E 00 30 00 30 00 0A 00"
                 "5B 00 4B 00 5D 00 0A 00"
                 "22 00 61 00 22 00 3D 00 22 00 63 00 22 00 0A 00"
                 "22 00 64 00 22 00 3D 00 22 00 65 00 22 00 0A 00")},
        {"UTF-8 after its mark, CR alone",
         "\xEF\xBB\xBFREGEDIT4\r; \xE6\x97\xA5\r[K]\r\"a\"=\"b\"\r\r",
         "\xEF\xBB\xBFREGEDIT4\r; \xE6\x97\xA5\r[K]\r\"a\"=\"c\"\r\"d\"=\"e\"\r\r"},
        {"plain bytes, version 5.00, CR alone, a continued value",
         "Windows Registry Editor Version 5.00\r[K]\r\"x\"=hex:01,\\\r  02\r\"a\"=\"b\"\r",
         "Windows Registry Editor Version 5.00\r[K]\r\"x\"=hex:01,\\\r  02\r\"a\"=\"c\"\r\"d\"=\"e\"\r"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        std::string error;
        std::optional<regfile::Document> document = regfile::parse(row.before, &error);
        ASSERT_TRUE(document) << error;
        EXPECT_SAME_BYTES(regfile::serialize(*document), row.before);
        regfile::setString(*document, "K", "a", "c");
        regfile::setString(*document, "K", "d", "e");
        EXPECT_SAME_BYTES(regfile::serialize(*document), row.after);
    }
}

TEST(RegFile, RefusesWhatItCannotKeepIntact)
{
    const std::pair<const char*, std::string> rows[] = {
        {"empty file", ""},
        {"another header", "Windows Registry Editor Version 4.00\n\n[HKEY_CURRENT_USER\\K]\n"},
        {"UTF-16 of an odd number of bytes", testutil::fromHex("FF FE 52 00 45 00 47")},
        {"UTF-16 without a header", testutil::fromHex("FF FE 5B 00 4B 00 5D 00 0A 00")},
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

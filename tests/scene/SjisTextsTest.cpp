// Tests for scene/SjisTexts.h: every constant is the CP932 (Shift-JIS) form of the UTF-8 text in its
// comment. The header is read from the source tree and each comment converted with iconv, so a
// mistyped escape (or "\x90F" swallowing the F) shows up here. The conversion is glibc's iconv on
// POSIX and the system's own code page 932 tables on Windows.
#include "scene/SjisTexts.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

#ifdef _WIN32
#include <windows.h>  // MultiByteToWideChar, WideCharToMultiByte
#else
#include <iconv.h>
#endif

namespace {

// Every constant, by the name it has in the header.
std::map<std::string, std::string> constants()
{
    std::map<std::string, std::string> all = {
        {"kNewColourName", sjis::kNewColourName},
        {"kNewLightName", sjis::kNewLightName},
        {"kNewViewName", sjis::kNewViewName},
        {"kNewLeadName", sjis::kNewLeadName},
        {"kNewSensorName", sjis::kNewSensorName},
        {"kNewFrameName", sjis::kNewFrameName},
        {"kCubeName", sjis::kCubeName},
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
        {"kSiteName", sjis::kSiteName},
        {"kFoundationName", sjis::kFoundationName},
    };
    for (int i = 0; i < 25; ++i) all["kFrameNames[" + std::to_string(i + 1) + "]"] = sjis::kFrameNames[i];
    return all;
}

#ifdef _WIN32
std::string toCp932(const std::string& utf8)
{
    int wideCount = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                                          nullptr, 0);
    if (wideCount <= 0) return "<not UTF-8>";
    std::wstring wide(static_cast<std::size_t>(wideCount), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], wideCount);
    BOOL lossy = FALSE;
    int count = ::WideCharToMultiByte(932, 0, wide.data(), wideCount, nullptr, 0, nullptr, &lossy);
    if (count <= 0 || lossy) return "<not convertible>";
    std::string out(static_cast<std::size_t>(count), '\0');
    ::WideCharToMultiByte(932, 0, wide.data(), wideCount, &out[0], count, nullptr, nullptr);
    return out;
}
#else
std::string toCp932(const std::string& utf8)
{
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return "<no CP932 in iconv>";
    std::string in = utf8, out(utf8.size() * 2 + 8, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    std::size_t inLeft = in.size(), outLeft = out.size();
    std::size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (done == static_cast<std::size_t>(-1)) return "<not convertible>";
    out.resize(out.size() - outLeft);
    return out;
}
#endif

std::string trim(std::string s)
{
    while (!s.empty() && (s.back() == ' ' || s.back() == '\r')) s.pop_back();
    std::size_t start = s.find_first_not_of(' ');
    return start == std::string::npos ? std::string() : s.substr(start);
}

TEST(SjisTexts, EveryConstantMatchesItsComment)
{
    const char* sourceDir = std::getenv("SKIPFLOOR_SOURCE_DIR");
    if (!sourceDir) GTEST_SKIP() << "SKIPFLOOR_SOURCE_DIR not set";
    std::ifstream header(std::string(sourceDir) + "/scene/SjisTexts.h");
    ASSERT_TRUE(header) << "cannot read scene/SjisTexts.h";

    std::map<std::string, std::string> expected = constants();
    std::map<std::string, bool> seen;
    std::string line;
    while (std::getline(header, line)) {
        if (trim(line).rfind("//", 0) == 0) continue;  // a comment line of the header itself
        std::size_t comment = line.rfind("// ");
        if (comment == std::string::npos || line.find('"') == std::string::npos) continue;
        std::string text = trim(line.substr(comment + 3));
        std::string name;
        std::size_t decl = line.find("char k");
        if (decl != std::string::npos) {
            name = line.substr(decl + 5, line.find('[', decl) - decl - 5);
        } else {  // an entry of kFrameNames: "// NN name"
            std::size_t blank = text.find(' ');
            name = "kFrameNames[" + text.substr(0, blank) + "]";
            text = text.substr(blank + 1);
        }
        SCOPED_TRACE(name);
        auto found = expected.find(name);
        if (found == expected.end()) {
            ADD_FAILURE() << "a constant this test does not know: add it to constants()";
            continue;
        }
        EXPECT_EQ(found->second, toCp932(text)) << "comment: " << text;
        seen[name] = true;
    }
    EXPECT_EQ(seen.size(), expected.size()) << "a constant of the table has no line with a comment in the header";
}

}  // namespace

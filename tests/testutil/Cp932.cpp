// Cp932.cpp - Shift-JIS constants against their comments (see Cp932.h).
#include "testutil/Cp932.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#ifdef _WIN32
#include <windows.h>  // MultiByteToWideChar, WideCharToMultiByte
#else
#include <iconv.h>
#endif

namespace testutil {

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

namespace {

std::string trim(std::string s)
{
    while (!s.empty() && (s.back() == ' ' || s.back() == '\r')) s.pop_back();
    std::size_t start = s.find_first_not_of(' ');
    return start == std::string::npos ? std::string() : s.substr(start);
}

}  // namespace

void expectConstantsMatchComments(const std::string& relativePath, const std::map<std::string, std::string>& constants,
                                  const std::string& arrayName)
{
    const char* sourceDir = std::getenv("SKIPFLOOR_SOURCE_DIR");
    if (!sourceDir) GTEST_SKIP() << "SKIPFLOOR_SOURCE_DIR not set";
    std::ifstream header(std::string(sourceDir) + "/" + relativePath);
    ASSERT_TRUE(header) << "cannot read " << relativePath;

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
        } else {  // an entry of the array: "// NN name"
            std::size_t blank = text.find(' ');
            name = arrayName + "[" + text.substr(0, blank) + "]";
            text = text.substr(blank + 1);
        }
        SCOPED_TRACE(name);
        auto found = constants.find(name);
        if (found == constants.end()) {
            ADD_FAILURE() << "a constant this test does not know: add it to the test's table";
            continue;
        }
        EXPECT_EQ(found->second, toCp932(text)) << "comment: " << text;
        seen[name] = true;
    }
    EXPECT_EQ(seen.size(), constants.size()) << "a constant of the table has no line with a comment in the header";
}

}  // namespace testutil

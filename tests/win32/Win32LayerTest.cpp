// Tests for the Win32 layer's own logic: UTF-16 <-> UTF-8, the wide command line, the real registry
// (under Wine: the test prefix's HKEY_CURRENT_USER), where a minimized window draws its icon, what the
// section picture says over its drawing, and the rows of the levels list.
#include "app/DialogFields.h"
#include "builder/ParamFile.h"  // SetDefaultParams
#include "platform/win32/LevelsDialog.h"
#include "platform/win32/SectionPicture.h"
#include "platform/win32/Win32CommandLine.h"
#include "platform/win32/Win32Dialog.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/ScaledImages.h"
#include "text/WideText.h"

#include <cwscene/FileAccess.h>
#include "testutil/Hex.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

using namespace wizard;  // the wizard's code under test

namespace {

using testutil::fromHex;
using testutil::toHex;

// ---------------------------------------------------------------------------------------------------
// UTF-16 to UTF-8: code units in, bytes out

TEST(WideText, Utf8FromWide)
{
    struct Row {
        const char* what;
        std::wstring wide;
        const char* hex;
    };
    const Row rows[] = {
        {"empty", L"", ""},
        {"ASCII", L"a.cws", "61 2E 63 77 73"},
        {"two bytes", std::wstring(1, wchar_t(0x00E9)), "C3 A9"},
        {"three bytes: 家", std::wstring(1, wchar_t(0x5BB6)), "E5 AE B6"},
        {"a surrogate pair: U+1F3E0", std::wstring{wchar_t(0xD83C), wchar_t(0xDFE0)}, "F0 9F 8F A0"},
        // unpaired surrogates keep their place as three bytes that no UTF-8 decoder accepts
        {"lone high surrogate", std::wstring{wchar_t(0xD800), L'x'}, "ED A0 80 78"},
        {"lone low surrogate", std::wstring{L'x', wchar_t(0xDC00)}, "78 ED B0 80"},
        {"high surrogate at the end", std::wstring{L'x', wchar_t(0xDBFF)}, "78 ED AF BF"},
        {"two highs", std::wstring{wchar_t(0xD800), wchar_t(0xD800), wchar_t(0xDC00)}, "ED A0 80 F0 90 80 80"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(toHex(platform::utf8FromWide(row.wide)), toHex(fromHex(row.hex)));
    }
}

// UTF-8 to UTF-16: malformed input becomes U+FFFD, one per bad byte, and never reads past the end
TEST(WideText, WideFromUtf8)
{
    struct Row {
        const char* what;
        const char* hex;
        std::wstring wide;
    };
    const wchar_t bad = 0xFFFD;
    const Row rows[] = {
        {"ASCII", "6D 6D", L"mm"},
        {"数値", "E6 95 B0 E5 80 A4", std::wstring{wchar_t(0x6570), wchar_t(0x5024)}},
        {"four bytes", "F0 9F 8F A0", std::wstring{wchar_t(0xD83C), wchar_t(0xDFE0)}},
        {"stray continuation byte", "80 41", std::wstring{bad, L'A'}},
        {"overlong NUL", "C0 80", std::wstring{bad, bad}},
        {"cut short at the end", "41 E6 95", std::wstring{L'A', bad, bad}},
        {"encoded surrogate", "ED A0 80", std::wstring{bad, bad, bad}},
        {"beyond U+10FFFF", "F4 90 80 80", std::wstring{bad, bad, bad, bad}},
        {"lead byte F8", "F8 41", std::wstring{bad, L'A'}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(platform::wideFromUtf8(fromHex(row.hex)), row.wide);
    }
}

// ---------------------------------------------------------------------------------------------------
// The wide command line: '-' and '/' mark flags, which lose that character; the rest are paths

TEST(Win32CommandLine, ParamsFromWideArgv)
{
    struct Row {
        const char* what;
        std::vector<const wchar_t*> argv;  // argv[0] is the program
        std::vector<CommandParam> expected;
    };
    const Row rows[] = {
        {"no parameters", {L"wizard.exe"}, {}},
        {"two paths", {L"wizard.exe", L"a.cws", L"p.prm"}, {{"a.cws", false}, {"p.prm", false}}},
        {"flags with '-' and '/'", {L"wizard.exe", L"-x", L"a.cws", L"/nologo", L"p.prm"},
         {{"x", true}, {"a.cws", false}, {"nologo", true}, {"p.prm", false}}},
        {"a lone '/' is an empty flag", {L"wizard.exe", L"/"}, {{"", true}}},
        {"an empty parameter is a path", {L"wizard.exe", L"", L"b.cws"}, {{"", false}, {"b.cws", false}}},
        {"a drive path is not a flag", {L"wizard.exe", L"C:/data/a.cws"}, {{"C:/data/a.cws", false}}},
        {"Japanese path", {L"wizard.exe", L"C:\\\u5BB6\\\u6BB5.cws"},
         {{"C:\\\xE5\xAE\xB6\\\xE6\xAE\xB5.cws", false}}},
        {"a null entry counts as empty", {L"wizard.exe", nullptr}, {{"", false}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        std::vector<CommandParam> params =
            platform::commandParamsFromWide(static_cast<int>(row.argv.size()), row.argv.data());
        ASSERT_EQ(params.size(), row.expected.size());
        for (std::size_t i = 0; i < params.size(); ++i) {
            EXPECT_EQ(params[i].text, row.expected[i].text) << "parameter " << i;
            EXPECT_EQ(params[i].isFlag, row.expected[i].isFlag) << "parameter " << i;
        }
    }
    EXPECT_TRUE(platform::commandParamsFromWide(3, nullptr).empty());
}

// A path with an unpaired surrogate keeps its place, but the core refuses to open it: no file with a
// name that differs from the one asked for is ever created.
TEST(Win32CommandLine, DamagedPathNamesNoFile)
{
    testutil::TempDir dir;
    std::wstring damaged = std::wstring(L"scene") + wchar_t(0xD800) + L".cws";
    const wchar_t* argv[] = {L"wizard.exe", damaged.c_str()};
    std::vector<CommandParam> params = platform::commandParamsFromWide(2, argv);
    ASSERT_EQ(params.size(), 1u);
    std::string path = dir.path() + "/" + params[0].text;
    EXPECT_EQ(fileio::openFile(path, "wb"), nullptr);
    fileio::OutputFile file(path);
    EXPECT_EQ(file.open(), nullptr);
    EXPECT_EQ(::GetFileAttributesW((platform::wideFromUtf8(dir.path()) + L"/scene\uFFFD.cws").c_str()),
              INVALID_FILE_ATTRIBUTES);
}

// The file writer on Windows: a read-only file stays as it is (the direct open would fail too), a
// replaced file keeps its attributes (ReplaceFileW), and a device is written in place.
TEST(OutputFileWin32, AttributesAndDevices)
{
    testutil::TempDir dir;
    const std::string locked = dir.file("locked.prm"), hidden = dir.file("hidden.cws");
    testutil::writeFile(locked, "old");
    testutil::writeFile(hidden, "old");
    ASSERT_TRUE(::SetFileAttributesW(platform::wideFromUtf8(locked).c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(::SetFileAttributesW(platform::wideFromUtf8(hidden).c_str(), FILE_ATTRIBUTE_HIDDEN));

    fileio::OutputFile refused(locked);
    EXPECT_EQ(refused.open(), nullptr);
    EXPECT_EQ(refused.error(), EACCES);
    EXPECT_EQ(testutil::readFile(locked), "old");

    for (const std::string& path : {hidden, std::string("NUL")}) {
        SCOPED_TRACE(path);
        fileio::OutputFile file(path);
        std::FILE* stream = file.open();
        ASSERT_NE(stream, nullptr);
        std::fputs("new", stream);
        EXPECT_TRUE(file.commit());
    }
    EXPECT_EQ(testutil::readFile(hidden), "new");
    EXPECT_TRUE(::GetFileAttributesW(platform::wideFromUtf8(hidden).c_str()) & FILE_ATTRIBUTE_HIDDEN);
    ::SetFileAttributesW(platform::wideFromUtf8(locked).c_str(), FILE_ATTRIBUTE_NORMAL);  // for the clean-up
}

// ---------------------------------------------------------------------------------------------------
// The registry: REG_SZ values with their NUL, keys of our own only

class Win32RegistryTest : public ::testing::Test {
protected:
    // A key of its own per process, removed afterwards, so runs never see each other's values.
    std::string root = "Software\\SkipfloorWizardTest\\" + std::to_string(::GetCurrentProcessId());

    void TearDown() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, root.c_str()); }

    // Type and bytes of a value as Windows stores them; type 0 when it is missing.
    static std::pair<DWORD, std::string> stored(const std::string& key, const char* name)
    {
        HKEY open = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &open) != ERROR_SUCCESS) return {0, ""};
        DWORD type = 0;
        char data[256];
        DWORD size = sizeof data;
        LONG result = ::RegQueryValueExA(open, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
        ::RegCloseKey(open);
        if (result != ERROR_SUCCESS) return {0, ""};
        return {type, std::string(data, size)};
    }
};

TEST_F(Win32RegistryTest, CreatesNestedKeysAndStoresStringsWithTheirNul)
{
    platform::Win32Registry registry;
    RegistryKey parent = nullptr, child = nullptr;
    ASSERT_TRUE(registry.createKey(nullptr, root.c_str(), &parent));
    ASSERT_TRUE(registry.createKey(parent, "Environment", &child));
    EXPECT_TRUE(registry.setStringValue(child, "WallDefaultHeight", "2.9", 4));
    EXPECT_TRUE(registry.setStringValue(child, "HouseSizeX", "10", 3));
    EXPECT_TRUE(registry.setStringValue(child, "HouseSizeX", "12.5", 5));  // overwritten
    EXPECT_EQ(registry.openKeyCount(), 2u);
    registry.closeKey(child);
    registry.closeKey(parent);
    EXPECT_EQ(registry.openKeyCount(), 0u);

    std::string environment = root + "\\Environment";
    EXPECT_EQ(stored(environment, "WallDefaultHeight"), std::make_pair(DWORD(REG_SZ), std::string("2.9\0", 4)));
    EXPECT_EQ(stored(environment, "HouseSizeX"), std::make_pair(DWORD(REG_SZ), std::string("12.5\0", 5)));

    // Opening an existing key works and keeps its values.
    ASSERT_TRUE(registry.createKey(nullptr, environment.c_str(), &child));
    EXPECT_TRUE(registry.setStringValue(child, "LandSizeX", "15", 3));
    registry.closeKey(child);
    EXPECT_EQ(stored(environment, "WallDefaultHeight").first, DWORD(REG_SZ));
}

TEST_F(Win32RegistryTest, RefusesWhatItDidNotHandOut)
{
    platform::Win32Registry registry;
    RegistryKey key = nullptr;
    ASSERT_TRUE(registry.createKey(nullptr, root.c_str(), &key));

    // A length without the NUL, an empty text, missing pointers
    EXPECT_FALSE(registry.setStringValue(key, "NoNul", "2.9", 3));
    EXPECT_FALSE(registry.setStringValue(key, "Empty", "", 0));
    EXPECT_FALSE(registry.setStringValue(key, nullptr, "1", 2));
    EXPECT_FALSE(registry.setStringValue(key, "Null", nullptr, 2));
    EXPECT_EQ(stored(root, "NoNul").first, 0u);

    // Handles that are not ours: a made-up one, HKEY_CURRENT_USER itself, one already closed
    RegistryKey other = nullptr;
    auto foreign = reinterpret_cast<RegistryKey>(HKEY_CURRENT_USER);
    EXPECT_FALSE(registry.createKey(foreign, "Sub", &other));
    EXPECT_FALSE(registry.setStringValue(foreign, "Value", "1", 2));
    registry.closeKey(key);
    EXPECT_FALSE(registry.setStringValue(key, "AfterClose", "1", 2));
    EXPECT_FALSE(registry.createKey(key, "Sub", &other));
    EXPECT_EQ(other, nullptr);
    registry.closeKey(key);  // a second close is harmless
    EXPECT_EQ(stored(root, "AfterClose").first, 0u);
}

TEST_F(Win32RegistryTest, KeysLeftOpenAreClosedWithTheRegistry)
{
    {
        platform::Win32Registry registry;
        RegistryKey key = nullptr;
        ASSERT_TRUE(registry.createKey(nullptr, root.c_str(), &key));
        EXPECT_TRUE(registry.setStringValue(key, "Value", "1", 2));
    }
    // With the handle closed, the tree can be deleted and is gone.
    EXPECT_EQ(::RegDeleteTreeA(HKEY_CURRENT_USER, root.c_str()), ERROR_SUCCESS);
    HKEY open = nullptr;
    EXPECT_NE(::RegOpenKeyExA(HKEY_CURRENT_USER, root.c_str(), 0, KEY_READ, &open), ERROR_SUCCESS);
}

// ---------------------------------------------------------------------------------------------------
// Where a minimized window draws its icon: (client - icon + 1) / 2, truncating towards zero

TEST(Win32Dialog, IconOrigin)
{
    struct Row {
        int clientW, clientH, iconW, iconH, x, y;
    };
    const Row rows[] = {
        {100, 100, 32, 32, 34, 34},  // 69 / 2
        {101, 60, 32, 32, 35, 14},
        {32, 32, 32, 32, 0, 0},      // (0 + 1) / 2
        {10, 0, 32, 32, -10, -15},   // -21 / 2 and -31 / 2 truncate towards zero
        {0, 0, 16, 16, -7, -7},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.clientW) + " x " + std::to_string(row.clientH));
        platform::IconOrigin origin = platform::iconOrigin(row.clientW, row.clientH, row.iconW, row.iconH);
        EXPECT_EQ(origin.x, row.x);
        EXPECT_EQ(origin.y, row.y);
    }
}

// ---------------------------------------------------------------------------------------------------
// Which section drawing a display scale gets: its own at 96, 120, 144 and 192 DPI; otherwise the next
// larger one (the largest above 192) resampled to 222 x 382 times dpi / 96, rounded half up

TEST(ScaledImages, ChooseSection)
{
    struct Row {
        int dpi, id, width, height;
        bool resample;
    };
    const Row rows[] = {
        {96, 129, 222, 382, false},
        {120, 130, 278, 478, false},
        {144, 131, 333, 573, false},
        {192, 132, 444, 764, false},
        {72, 129, 167, 287, true},     // 75 %: 166.5 and 286.5 round up
        {97, 130, 224, 386, true},
        {168, 132, 389, 669, true},    // 175 %: 388.5 and 668.5 round up
        {288, 132, 666, 1146, true},   // 300 %: the largest drawing, enlarged
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.dpi) + " dpi");
        platform::SectionChoice choice = platform::chooseSection(row.dpi);
        EXPECT_EQ(choice.resourceId, row.id);
        EXPECT_EQ(choice.width, row.width);
        EXPECT_EQ(choice.height, row.height);
        EXPECT_EQ(choice.resample, row.resample);
    }
}

// ---------------------------------------------------------------------------------------------------
// The section picture's texts: where draw-resources.py put them, and what they say as the user types

// Every scale carries the same lines, and each dimension's label lines spell its dialog label, so
// the picture names what the field beside it names.
TEST(SectionPicture, EveryScaleLabelsTheFieldsAsTheDialogDoes)
{
    const platform::SectionTexts& base = platform::sectionTextsFor(96);
    for (int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE(std::to_string(dpi) + " dpi");
        const platform::SectionTexts& layout = platform::sectionTextsFor(dpi);
        EXPECT_EQ(layout.dpi, dpi);
        ASSERT_EQ(layout.count, base.count);
        std::vector<std::pair<int, std::wstring>> labels;  // control id, label lines joined
        int values = 0;
        for (std::size_t i = 0; i < layout.count; ++i) {
            const platform::SectionTextLine& line = layout.lines[i];
            EXPECT_EQ(line.controlId, base.lines[i].controlId);
            EXPECT_STREQ(line.label, base.lines[i].label);
            EXPECT_TRUE(line.x >= 0 && line.x <= layout.width && line.baseline > 0 && line.baseline <= layout.height)
                << "line " << i << " at " << line.x << ", " << line.baseline;
            if (labels.empty() || labels.back().first != line.controlId) labels.push_back({line.controlId, L""});
            labels.back().second += line.label;
            values += line.value;
        }
        ASSERT_EQ(labels.size(), 10u);  // the total height and nine fields
        EXPECT_EQ(values, 10);          // one value each
        EXPECT_EQ(labels[0], std::make_pair(0, std::wstring(L"全高")));
        for (std::size_t i = 1; i < labels.size(); ++i) {
            std::size_t field = tabIndexOf(labels[i].first);
            ASSERT_LT(field, kTabOrder.size()) << "control " << labels[i].first;
            EXPECT_EQ(labels[i].second, platform::wideFromUtf8(kTabOrder[field].label));
        }
    }
}

TEST(SectionPicture, ShowsTheValuesAsTyped)
{
    WizardParams params;
    SetDefaultParams(params);
    const FieldTexts defaults = formatFieldTexts(params);
    const platform::SectionTexts& layout = platform::sectionTextsFor(96);
    struct Row {
        const char* what;
        std::size_t field;     // tab index of the field changed
        const char* text;
        const wchar_t* words;  // the picture in words
        std::vector<std::wstring> greyed;  // the labels shown greyed
    };
    const Row rows[] = {
        {"defaults", 0, "400",
         L"全高 11960\r\n１階部屋高 2400\r\n２階部屋高 2400\r\n３階部屋高 2400\r\n４階部屋高 2400\r\n他階床厚 500\r\n"
         L"基準ブロックとのレベル差 1450\r\n１階床厚 210\r\n基礎高さ 400\r\n壁厚 100",
         {}},
        {"full-width digits and blanks, as typed", 3, " \xEF\xBC\x92\xEF\xBC\x90\xEF\xBC\x90\xEF\xBC\x90 ",  // ２０００
         L"全高 11560\r\n１階部屋高 2000\r\n２階部屋高 2400\r\n３階部屋高 2400\r\n４階部屋高 2400\r\n他階床厚 500\r\n"
         L"基準ブロックとのレベル差 1450\r\n１階床厚 210\r\n基礎高さ 400\r\n壁厚 100",
         {}},
        {"a room height that is not a number: its label and the total height alone", 3, "abc",
         L"全高\r\n１階部屋高\r\n２階部屋高 2400\r\n３階部屋高 2400\r\n４階部屋高 2400\r\n他階床厚 500\r\n"
         L"基準ブロックとのレベル差 1450\r\n１階床厚 210\r\n基礎高さ 400\r\n壁厚 100",
         {L"全高", L"１階部屋高", L""}},
        // the total height does not depend on the level difference
        {"an empty level difference", 7, "",
         L"全高 11960\r\n１階部屋高 2400\r\n２階部屋高 2400\r\n３階部屋高 2400\r\n４階部屋高 2400\r\n他階床厚 500\r\n"
         L"基準ブロックとのレベル差\r\n１階床厚 210\r\n基礎高さ 400\r\n壁厚 100",
         {L"基準ブロック", L"とのレベル差", L""}},
        {"a fraction and an exponent", 12, "1.25e2",
         L"全高 11960\r\n１階部屋高 2400\r\n２階部屋高 2400\r\n３階部屋高 2400\r\n４階部屋高 2400\r\n他階床厚 500\r\n"
         L"基準ブロックとのレベル差 1450\r\n１階床厚 210\r\n基礎高さ 400\r\n壁厚 125",
         {}},
        // two plan notes: the metre row in millimetres, and the building wider than its site
        {"a building width typed in millimetres: the mark comes first", 10, "15000",
         L"注意 2 件 (F1)\r\n全高 11960\r\n１階部屋高 2400\r\n２階部屋高 2400\r\n３階部屋高 2400\r\n４階部屋高 2400\r\n"
         L"他階床厚 500\r\n基準ブロックとのレベル差 1450\r\n１階床厚 210\r\n基礎高さ 400\r\n壁厚 100",
         {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        FieldTexts texts = defaults;
        texts[row.field] = row.text;
        const LevelTable table = levelTable(texts);
        const std::vector<platform::ShownLine> shown = platform::shownLines(layout, texts, table);
        ASSERT_EQ(shown.size(), layout.count);
        const std::wstring mark = platform::markText(L"注意 %1 件 (F1)", table.planNotes.size());
        EXPECT_EQ(platform::pictureWords(layout, shown, mark), row.words);
        std::vector<std::wstring> greyed;
        for (const platform::ShownLine& line : shown) {
            if (!line.greyed) continue;
            greyed.push_back(line.label);
            EXPECT_TRUE(line.value.empty()) << "a greyed label has no value";
        }
        EXPECT_EQ(greyed, row.greyed);
    }
}

// ---------------------------------------------------------------------------------------------------
// The levels list's rows: the frame's Shift-JIS name through code page 932, "-" for what cannot be
// computed

TEST(LevelsDialog, RowTexts)
{
    WizardParams params;
    SetDefaultParams(params);
    FieldTexts texts = formatFieldTexts(params);
    texts[7] = "1450.5";  // the level difference
    texts[3] = "x";       // room height 1
    const LevelTable table = levelTable(texts);
    struct Row {
        int frame;
        const wchar_t *number, *name, *height, *offset, *from, *clearHeight;
    };
    const Row rows[] = {
        {1, L"1", L"エクステリア", L"0", L"0", L"", L""},
        // -(t + h4 - L) needs no room height 1; the height does
        {3, L"3", L"中4階屋根", L"-", L"-1449.5", L"#2 4階屋根", L""},
        {5, L"5", L"4階インテリア", L"-", L"-2400", L"#4 4階天井", L"2400"},
        {23, L"23", L"1階インテリア", L"-", L"-", L"#22 1階天井", L"-"},
        {25, L"25", L"基礎・敷地", L"-", L"-400", L"#24 1階間取り", L""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.frame);
        platform::LevelRow shown = platform::levelRow(table, table.levels[row.frame - 1]);
        EXPECT_EQ(shown.number, row.number);
        EXPECT_EQ(shown.name, row.name);
        EXPECT_EQ(shown.height, row.height);
        EXPECT_EQ(shown.offset, row.offset);
        EXPECT_EQ(shown.from, row.from);
        EXPECT_EQ(shown.clearHeight, row.clearHeight);
    }
}

}  // namespace

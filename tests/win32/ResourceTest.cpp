// Tests for the compiled resources (platform/win32/res/wizard.rc as windres built it, linked into
// this test): the two dialog templates control by control, the system-menu string, the icon group,
// the picture and the manifest. The expected rows are the dialog's table, typed in by hand.
#include "platform/win32/res/resource.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>  // LVS_REPORT

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------------------------------------------
// Reading a dialog template: DLGTEMPLATEEX (dialog 102) or the classic DLGTEMPLATE (dialog 100)

struct Control {
    std::wstring cls;   // "Button", "Edit", "Static", or the class name as written
    std::wstring text;  // the text, or "#129" for a resource ordinal
    int id;
    int x, y, cx, cy;
    std::uint32_t style;
    std::uint32_t exStyle;
};

struct Template {
    bool extended = false;
    std::uint32_t style = 0, exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::wstring title;
    int pointSize = 0, weight = 0, italic = 0, charset = 0;
    std::wstring font;
    std::vector<Control> controls;
};

class TemplateReader {
public:
    explicit TemplateReader(const std::uint8_t* bytes) : m_base(bytes), m_at(bytes) {}

    std::uint16_t word() { std::uint16_t v; std::memcpy(&v, m_at, 2); m_at += 2; return v; }
    std::uint32_t dword() { std::uint32_t v; std::memcpy(&v, m_at, 4); m_at += 4; return v; }
    std::int16_t shortValue() { return static_cast<std::int16_t>(word()); }
    void alignDword() { while ((m_at - m_base) % 4) ++m_at; }

    std::wstring string()
    {
        std::wstring text;
        for (std::uint16_t c = word(); c != 0; c = word()) text += static_cast<wchar_t>(c);
        return text;
    }

    // A string, or 0xFFFF and an ordinal, written here as "#<ordinal>"
    std::wstring stringOrOrdinal()
    {
        std::uint16_t first = word();
        if (first == 0xFFFF) return L"#" + std::to_wstring(word());
        std::wstring text;
        for (std::uint16_t c = first; c != 0; c = word()) text += static_cast<wchar_t>(c);
        return text;
    }

    void skip(std::size_t count) { m_at += count; }

private:
    const std::uint8_t* m_base;
    const std::uint8_t* m_at;
};

std::wstring className(const std::wstring& raw)
{
    if (raw == L"#128") return L"Button";
    if (raw == L"#129") return L"Edit";
    if (raw == L"#130") return L"Static";
    std::wstring name = raw;  // windres keeps a written class name as it is: "STATIC", "Static"
    for (std::size_t i = 1; i < name.size(); ++i) name[i] = static_cast<wchar_t>(::towlower(name[i]));
    return name;
}

Template loadTemplate(int id)
{
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5 /* RT_DIALOG */));
    if (!found) return {};
    auto* bytes = static_cast<const std::uint8_t*>(::LockResource(::LoadResource(module, found)));
    TemplateReader in(bytes);
    Template t;
    std::uint16_t version = in.word();
    t.extended = in.word() == 0xFFFF && version == 1;
    if (t.extended) {
        in.dword();  // help id
        t.exStyle = in.dword();
        t.style = in.dword();
    } else {
        in = TemplateReader(bytes);
        t.style = in.dword();
        t.exStyle = in.dword();
    }
    int count = in.word();
    t.x = in.shortValue(); t.y = in.shortValue(); t.cx = in.shortValue(); t.cy = in.shortValue();
    in.stringOrOrdinal();  // menu
    in.stringOrOrdinal();  // window class
    t.title = in.string();
    if (t.style & DS_SETFONT) {
        t.pointSize = in.word();
        if (t.extended) {
            t.weight = in.word();
            std::uint16_t italicAndCharset = in.word();  // two bytes: italic, then the character set
            t.italic = italicAndCharset & 0xFF;
            t.charset = italicAndCharset >> 8;
        }
        t.font = in.string();
    }
    for (int i = 0; i < count; ++i) {
        in.alignDword();
        Control c{};
        if (t.extended) {
            in.dword();  // help id
            c.exStyle = in.dword();
            c.style = in.dword();
        } else {
            c.style = in.dword();
            c.exStyle = in.dword();
        }
        c.x = in.shortValue(); c.y = in.shortValue(); c.cx = in.shortValue(); c.cy = in.shortValue();
        c.id = t.extended ? static_cast<int>(static_cast<std::int32_t>(in.dword())) : in.shortValue();
        c.cls = className(in.stringOrOrdinal());
        c.text = in.stringOrOrdinal();
        in.skip(in.word());  // creation data
        t.controls.push_back(c);
    }
    return t;
}

// Styles, spelled out once: what each statement of the script must produce
constexpr std::uint32_t kLabel = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT;                      // 0x50020000
constexpr std::uint32_t kEdit = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_RIGHT | ES_AUTOHSCROLL;  // 0x50810082
constexpr std::uint32_t kGroup = WS_CHILD | WS_VISIBLE | BS_GROUPBOX;                              // 0x50000007
constexpr std::uint32_t kDefButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;        // 0x50010001
constexpr std::uint32_t kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;              // 0x50010000
constexpr std::uint32_t kPicture = WS_CHILD | WS_VISIBLE | WS_BORDER | SS_BITMAP | SS_CENTERIMAGE;  // 0x5080020E

static_assert(kLabel == 0x50020000 && kEdit == 0x50810082 && kGroup == 0x50000007, "style constants");
static_assert(kDefButton == 0x50010001 && kButton == 0x50010000 && kPicture == 0x5080020E, "style constants");

void expectControls(const Template& t, const std::vector<Control>& expected)
{
    ASSERT_EQ(t.controls.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Control& a = t.controls[i];
        const Control& e = expected[i];
        SCOPED_TRACE("control " + std::to_string(i + 1) + ", id " + std::to_string(e.id));
        EXPECT_EQ(a.cls, e.cls);
        EXPECT_EQ(a.text, e.text);
        EXPECT_EQ(a.id, e.id);
        EXPECT_EQ(a.x, e.x);
        EXPECT_EQ(a.y, e.y);
        EXPECT_EQ(a.cx, e.cx);
        EXPECT_EQ(a.cy, e.cy);
        EXPECT_EQ(a.style, e.style) << std::hex << "0x" << a.style << " instead of 0x" << e.style;
        EXPECT_EQ(a.exStyle, 0u);
    }
}

// ---------------------------------------------------------------------------------------------------
// Dialog 102: 44 controls in tab order, rows of label, edit and unit; the picture last

TEST(Resources, WizardDialogTemplate)
{
    Template t = loadTemplate(IDD_WIZARD);
    EXPECT_TRUE(t.extended);
    EXPECT_EQ(t.style, 0x90C800C0u);  // WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT
    EXPECT_EQ(t.exStyle, 0x00040000u);  // WS_EX_APPWINDOW
    EXPECT_EQ(t.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0u);
    EXPECT_EQ(t.cx, 242);
    EXPECT_EQ(t.cy, 295);
    EXPECT_EQ(t.title, L"スキップフロア準備ウィザード");
    EXPECT_EQ(t.font, L"ＭＳ Ｐゴシック");
    EXPECT_EQ(t.pointSize, 9);
    EXPECT_EQ(t.weight, 0);
    EXPECT_EQ(t.italic, 0);
    EXPECT_EQ(t.charset, 1);  // DEFAULT_CHARSET

    const int S = -1;  // labels, units, group boxes and the picture: IDC_STATIC
    const std::vector<Control> expected = {
        {L"Static", L"基礎高さ", S, 140, 8, 27, 8, kLabel, 0},
        {L"Edit", L"", 1000, 176, 4, 40, 14, kEdit, 0},
        {L"Static", L"mm", S, 220, 8, 11, 8, kLabel, 0},
        {L"Static", L"１階床厚", S, 140, 24, 26, 8, kLabel, 0},
        {L"Edit", L"", 1001, 176, 20, 40, 14, kEdit, 0},
        {L"Static", L"mm", S, 220, 24, 11, 8, kLabel, 0},
        {L"Static", L"他階床厚", S, 140, 40, 28, 8, kLabel, 0},
        {L"Edit", L"", 1002, 176, 36, 40, 14, kEdit, 0},
        {L"Static", L"mm", S, 220, 40, 11, 8, kLabel, 0},
        {L"Static", L"１階部屋高", S, 140, 56, 33, 8, kLabel, 0},
        {L"Edit", L"", 1003, 176, 52, 40, 14, kEdit, 0},
        {L"Static", L"mm", S, 220, 56, 11, 8, kLabel, 0},
        {L"Static", L"２階部屋高", S, 140, 72, 33, 8, kLabel, 0},
        {L"Edit", L"", 1004, 176, 68, 40, 14, kEdit, 0},
        {L"Static", L"mm", S, 220, 72, 11, 8, kLabel, 0},
        {L"Static", L"３階部屋高", S, 140, 88, 33, 8, kLabel, 0},
        {L"Edit", L"", 1005, 176, 84, 40, 14, kEdit, 0},
        {L"Static", L"mm", S, 220, 88, 11, 8, kLabel, 0},
        {L"Static", L"４階部屋高", S, 140, 104, 33, 8, kLabel, 0},
        {L"Edit", L"", 1011, 176, 100, 40, 14, kEdit, 0},
        {L"Static", L"mm", S, 220, 104, 11, 8, kLabel, 0},
        // 92 units wide, not 75, so that its last character stays in sight (see wizard.rc)
        {L"Static", L"基準ブロックとのレベル差", S, 140, 120, 92, 8, kLabel, 0},
        {L"Edit", L"", 1006, 176, 132, 40, 14, kEdit, 0},
        {L"Static", L"mm", S, 220, 136, 11, 8, kLabel, 0},
        {L"Button", L"敷地", S, 140, 148, 92, 48, kGroup, 0},
        {L"Static", L"幅", S, 148, 164, 8, 8, kLabel, 0},
        {L"Edit", L"", 1007, 176, 160, 40, 14, kEdit, 0},
        {L"Static", L"m", S, 220, 164, 8, 8, kLabel, 0},
        {L"Static", L"奥行", S, 148, 180, 15, 8, kLabel, 0},
        {L"Edit", L"", 1008, 176, 176, 40, 14, kEdit, 0},
        {L"Static", L"m", S, 220, 180, 8, 8, kLabel, 0},
        {L"Button", L"建物", S, 140, 200, 92, 48, kGroup, 0},
        {L"Static", L"幅", S, 148, 216, 8, 8, kLabel, 0},
        {L"Edit", L"", 1009, 176, 212, 40, 14, kEdit, 0},
        {L"Static", L"m", S, 220, 216, 8, 8, kLabel, 0},
        {L"Static", L"奥行", S, 148, 232, 15, 8, kLabel, 0},
        {L"Edit", L"", 1010, 176, 228, 40, 14, kEdit, 0},
        {L"Static", L"m", S, 220, 232, 8, 8, kLabel, 0},
        {L"Static", L"壁厚", S, 148, 256, 15, 8, kLabel, 0},
        {L"Edit", L"", 1012, 176, 252, 40, 14, kEdit, 0},
        {L"Static", L"mm", S, 220, 256, 11, 8, kLabel, 0},
        {L"Button", L"OK", IDOK, 63, 274, 50, 14, kDefButton, 0},
        {L"Button", L"キャンセル", IDCANCEL, 129, 274, 50, 14, kButton, 0},
        {L"Static", L"#129", S, 4, 8, 128, 256, kPicture, 0},
    };
    expectControls(t, expected);
}

// Dialog 100: the About box
TEST(Resources, AboutBoxTemplate)
{
    Template t = loadTemplate(IDD_ABOUTBOX);
    EXPECT_FALSE(t.extended);
    EXPECT_EQ(t.style, 0x80C800C0u);  // WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT
    EXPECT_EQ(t.cx, 235);
    EXPECT_EQ(t.cy, 55);
    EXPECT_EQ(t.title, L"スキップフロア準備ウィザードのバージョン情報");
    EXPECT_EQ(t.font, L"ＭＳ Ｐゴシック");
    EXPECT_EQ(t.pointSize, 9);
    const std::vector<Control> expected = {
        {L"Static", L"#128", -1, 11, 17, 20, 20, WS_CHILD | WS_VISIBLE | SS_ICON, 0},
        {L"Static", L"スキップフロア準備ウィザード Ver.1.01", -1, 40, 10, 119, 8, kLabel | SS_NOPREFIX, 0},
        {L"Static", L"© 2026 Skip-floor wizard developers", -1, 40, 25, 119, 8, kLabel, 0},
        {L"Button", L"OK", IDOK, 178, 7, 50, 14, kDefButton | WS_GROUP, 0},
    };
    expectControls(t, expected);
}

// Dialog 103: the levels list, in the wizard's font
TEST(Resources, LevelsListTemplate)
{
    Template t = loadTemplate(IDD_LEVELS);
    EXPECT_TRUE(t.extended);
    EXPECT_EQ(t.style, 0x80C800C0u);  // WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT
    EXPECT_EQ(t.title, L"レベル一覧");
    EXPECT_EQ(t.font, L"ＭＳ Ｐゴシック");
    EXPECT_EQ(t.pointSize, 9);
    constexpr std::uint32_t kList = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL |
                                    LVS_SHOWSELALWAYS | LVS_NOSORTHEADER;  // 0x5081800D
    static_assert(kList == 0x5081800D, "style constant");
    const std::vector<Control> expected = {
        // the heights are a first guess: the dialog fits the list and the note to their contents
        {L"Syslistview32", L"", IDC_LEVEL_LIST, 7, 7, 326, 250, kList, 0},
        {L"Static", L"", IDC_LEVEL_NOTE, 7, 261, 326, 72, kLabel | SS_NOPREFIX, 0},
        {L"Button", L"OK", IDOK, 283, 339, 50, 14, kDefButton, 0},
    };
    expectControls(t, expected);
}

// ---------------------------------------------------------------------------------------------------
// The strings, icon group 128, bitmap 129, the manifest

TEST(Resources, Strings)
{
    const std::pair<int, const wchar_t*> rows[] = {
        {IDS_ABOUTBOX, L"バージョン情報(&A)..."},
        {IDS_LEVELS, L"レベル一覧..."},
        {IDS_TOTAL_HEIGHT, L"単位 mm。全高 %1 mm。高さは GL（地盤面）から、オフセットは基準のフレームから測ります。"},
        {IDS_NOT_A_NUMBER, L"数値ではない欄: %1。これに依るレベルは「-」です。"},
        {IDS_NOTE_FLIGHT, L"　%1 → %2 %3 mm: %4段 × %5 mm、踏面 %6～%7 mm"},
        {IDS_PLAN_MARK, L"注意 %1 件 (F1)"},
    };
    for (const auto& [id, expected] : rows) {
        wchar_t text[128] = {};
        ASSERT_GT(::LoadStringW(::GetModuleHandleW(nullptr), id, text, 128), 0) << "string " << id;
        EXPECT_STREQ(text, expected);
    }
}

const std::uint8_t* resourceBytes(LPCWSTR type, LPCWSTR name, DWORD* size)
{
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC found = ::FindResourceW(module, name, type);
    if (!found) return nullptr;
    *size = ::SizeofResource(module, found);
    return static_cast<const std::uint8_t*>(::LockResource(::LoadResource(module, found)));
}

// 32 and 16 pixels first, then the small and large sizes of 125, 150 and 200 % (20, 24; 40, 48, 64)
TEST(Resources, IconGroupHasEverySizeOfTheDisplayScalesIn16Colours)
{
    DWORD size = 0;
    const std::uint8_t* group = resourceBytes(MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */,
                                              MAKEINTRESOURCEW(IDR_MAINFRAME), &size);
    ASSERT_NE(group, nullptr);
    // GRPICONDIR: reserved, type 1, count; then 14-byte entries: width, height, colours, reserved,
    // planes, bit count, bytes, id
    const int sizes[] = {32, 16, 20, 24, 40, 48, 64};
    const int count = static_cast<int>(sizeof sizes / sizeof sizes[0]);
    ASSERT_GE(size, 6u + count * 14u);
    EXPECT_EQ(group[2] | group[3] << 8, 1);
    ASSERT_EQ(group[4] | group[5] << 8, count);
    for (int i = 0; i < count; ++i) {
        const std::uint8_t* entry = group + 6 + 14 * i;
        SCOPED_TRACE("image " + std::to_string(i));
        EXPECT_EQ(entry[0], sizes[i]);
        EXPECT_EQ(entry[1], sizes[i]);
        EXPECT_EQ(entry[2], 16);                    // colours
        EXPECT_EQ(entry[6] | entry[7] << 8, 4);     // bits per pixel
    }
}

// Bitmap 129 at 100 %, and the same section for 125, 150 and 200 %, each 222 x 382 at its scale
TEST(Resources, SectionPicturesAt8BitsForEachScale)
{
    const struct {
        int id, width, height;
    } rows[] = {{IDB_SECTION, 222, 382}, {130, 278, 478}, {131, 333, 573}, {132, 444, 764}};
    for (const auto& row : rows) {
        SCOPED_TRACE("bitmap " + std::to_string(row.id));
        DWORD size = 0;
        const std::uint8_t* bitmap = resourceBytes(MAKEINTRESOURCEW(2) /* RT_BITMAP */, MAKEINTRESOURCEW(row.id), &size);
        ASSERT_NE(bitmap, nullptr);
        BITMAPINFOHEADER header;
        ASSERT_GE(size, sizeof header);
        std::memcpy(&header, bitmap, sizeof header);
        EXPECT_EQ(header.biWidth, row.width);
        EXPECT_EQ(header.biHeight, row.height);  // bottom-up
        EXPECT_EQ(header.biBitCount, 8);
        EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
    }
}

TEST(Resources, ManifestAsksForCommonControls6AndDpiAwareness)
{
    DWORD size = 0;
    const std::uint8_t* manifest = resourceBytes(MAKEINTRESOURCEW(24) /* RT_MANIFEST */, MAKEINTRESOURCEW(1), &size);
    ASSERT_NE(manifest, nullptr);
    std::string text(reinterpret_cast<const char*>(manifest), size);
    EXPECT_NE(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(text.find("version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(text.find("<dpiAware"), std::string::npos);
}

}  // namespace

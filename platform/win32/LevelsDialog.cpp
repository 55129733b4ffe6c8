// LevelsDialog.cpp - the levels list (see LevelsDialog.h).
//
// The dialog procedure is a dispatch table like the wizard's; the list is filled once, when the
// dialog opens, from the LevelTable it is given.
#include "platform/win32/LevelsDialog.h"

#include "app/DialogFields.h"
#include "platform/win32/WideText.h"
#include "platform/win32/WindowPlacement.h"
#include "platform/win32/res/resource.h"
#include <cwscene/NumberText.h>

#include <commctrl.h>  // the list view

#include <cmath>
#include <utility>

namespace platform {

namespace {

// A string of the resources; empty when it is missing.
std::wstring loadString(HINSTANCE instance, UINT id)
{
    wchar_t text[256];
    int length = ::LoadStringW(instance, id, text, static_cast<int>(sizeof text / sizeof text[0]));
    return length > 0 ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

// `pattern` with its "%s" replaced by `value`.
std::wstring filledIn(std::wstring pattern, const std::wstring& value)
{
    std::size_t at = pattern.find(L"%s");
    if (at != std::wstring::npos) pattern.replace(at, 2, value);
    return pattern;
}

// An offset or a height: "-" when a field it needs is not a number, as on the console.
std::wstring millimetres(double value)
{
    if (std::isnan(value)) return L"-";
    std::string text = numtext::general(value);
    return std::wstring(text.begin(), text.end());  // ASCII only
}

// The frame names are the scene's Shift-JIS bytes; the list shows them as UTF-16 through code page
// 932, which every Windows has whatever its ANSI code page.
std::wstring wideFromSjis(const char* sjis)
{
    int length = ::MultiByteToWideChar(932, 0, sjis, -1, nullptr, 0);
    if (length <= 1) return std::wstring();
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(932, 0, sjis, -1, &wide[0], length);
    wide.resize(static_cast<std::size_t>(length) - 1);  // without the NUL
    return wide;
}

// A field as the note names it: its group box and label ("建物 幅"), or the label alone.
std::wstring fieldName(std::size_t tabIndex)
{
    const DialogField& field = kTabOrder[tabIndex];
    std::string name = field.group[0] ? std::string(field.group) + " " + field.label : std::string(field.label);
    return wideFromUtf8(name);
}

// The groups in the console's order, with their titles.
constexpr std::pair<LevelGroup, UINT> kGroups[] = {
    {LevelGroup::Main, IDS_GROUP_MAIN}, {LevelGroup::Mezzanine, IDS_GROUP_MEZZANINE}, {LevelGroup::Site, IDS_GROUP_SITE}};

int dialogUnitsToPixels(HWND dlg, int units)
{
    RECT rect{0, 0, units, 0};
    ::MapDialogRect(dlg, &rect);
    return rect.right;
}

void addColumns(HINSTANCE instance, HWND dlg, HWND list)
{
    const struct {
        UINT title;
        int width;  // dialog units
        int format;
    } columns[] = {{IDS_LEVEL_NUMBER, 28, LVCFMT_LEFT},
                   {IDS_LEVEL_NAME, 90, LVCFMT_LEFT},
                   {IDS_LEVEL_OFFSET, 56, LVCFMT_RIGHT},
                   {IDS_LEVEL_HEIGHT, 56, LVCFMT_RIGHT}};
    int index = 0;
    for (const auto& column : columns) {
        std::wstring title = loadString(instance, column.title);
        LVCOLUMNW lvc{};
        lvc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        lvc.fmt = column.format;
        lvc.cx = dialogUnitsToPixels(dlg, column.width);
        lvc.pszText = &title[0];
        lvc.iSubItem = index;
        ::SendMessageW(list, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&lvc));
        ++index;
    }
}

// A row of texts at the end of the list.
void addRow(HWND list, std::wstring number, std::wstring name, std::wstring offset, std::wstring height)
{
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = &number[0];
    int at = static_cast<int>(::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    std::wstring* cells[] = {&name, &offset, &height};
    for (int column = 1; column <= 3; ++column) {
        LVITEMW cell{};
        cell.iSubItem = column;
        cell.pszText = &(*cells[column - 1])[0];
        ::SendMessageW(list, LVM_SETITEMTEXTW, at, reinterpret_cast<LPARAM>(&cell));
    }
}

// Group by group, a title row (its title in the name column, no number) and a row per level. Title
// rows rather than the list view's own groups, which not every list view draws (Wine's does not).
void addRows(HINSTANCE instance, HWND list, const LevelTable& table)
{
    for (const auto& [group, title] : kGroups) {
        addRow(list, L"", loadString(instance, title), L"", L"");
        for (const Level& level : table.levels) {
            if (level.group != group) continue;
            LevelRow row = levelRow(level);
            addRow(list, row.number, row.name, row.offset, row.height);
        }
    }
}

// The total height, and the fields that are not numbers, below the list.
std::wstring noteText(HINSTANCE instance, const LevelTable& table)
{
    std::wstring note = filledIn(loadString(instance, IDS_TOTAL_HEIGHT), millimetres(table.totalHeight));
    if (!table.badFields.empty()) {
        std::wstring names;
        for (std::size_t bad : table.badFields) names += (names.empty() ? L"" : L"、") + fieldName(bad);
        note += L"\r\n" + filledIn(loadString(instance, IDS_NOT_A_NUMBER), names);
    }
    return note;
}

INT_PTR onInitDialog(HWND dlg, const LevelTable& table)
{
    auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(dlg, GWLP_HINSTANCE));
    HWND list = ::GetDlgItem(dlg, IDC_LEVEL_LIST);
    ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    addColumns(instance, dlg, list);
    addRows(instance, list, table);
    ::SetDlgItemTextW(dlg, IDC_LEVEL_NOTE, noteText(instance, table).c_str());
    centreOver(dlg, ::GetWindow(dlg, GW_OWNER));
    return TRUE;  // the focus goes to the list, the first tab stop
}

// OK, Esc and the close box all arrive as WM_COMMAND with IDOK or IDCANCEL.
INT_PTR CALLBACK levelsProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG: return onInitDialog(dlg, *reinterpret_cast<const LevelTable*>(lParam));
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            ::EndDialog(dlg, LOWORD(wParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

LevelRow levelRow(const Level& level)
{
    return LevelRow{std::to_wstring(level.number), wideFromSjis(level.sjisName), millimetres(level.offset),
                    millimetres(level.height)};
}

void showLevelsDialog(HINSTANCE instance, HWND owner, const FieldTexts& texts)
{
    const LevelTable table = levelTable(texts);
    // ignored: the list has nothing to report, and one that cannot be shown is simply not shown
    ::DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_LEVELS), owner, levelsProc,
                      reinterpret_cast<LPARAM>(&table));
}

}  // namespace platform

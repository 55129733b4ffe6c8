// LevelsDialog.cpp - the levels list (see LevelsDialog.h).
//
// [SECTION] Rows: the list view's columns and rows from the LevelTable
// [SECTION] Layout: columns as wide as their texts, the list as tall as its rows, the note as tall as
//           its text, within the screen
// [SECTION] Filling: what the box shows when it opens (InfoBox.h opens, places and closes it)
#include "platform/win32/LevelsDialog.h"

#include "platform/win32/InfoBox.h"
#include "platform/win32/LevelsNote.h"
#include "platform/win32/ResourceText.h"
#include "platform/win32/WindowPlacement.h"
#include "platform/win32/res/resource.h"

#include <commctrl.h>  // the list view

#include <algorithm>
#include <utility>

namespace wizard::platform {

namespace {

// ---------------------------------------------------------------------------------------------------
// [SECTION] Rows

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

// The groups in the console's order, with their titles.
constexpr std::pair<LevelGroup, UINT> kGroups[] = {
    {LevelGroup::Main, IDS_GROUP_MAIN}, {LevelGroup::Mezzanine, IDS_GROUP_MEZZANINE}, {LevelGroup::Site, IDS_GROUP_SITE}};

constexpr int kColumnCount = 6;

int dialogUnitsToPixels(HWND dlg, int x, int y = 0, bool vertical = false)
{
    RECT rect{0, 0, x, y};
    ::MapDialogRect(dlg, &rect);
    return vertical ? rect.bottom : rect.right;
}

void addColumns(HINSTANCE instance, HWND dlg, HWND list)
{
    const struct {
        UINT title;
        int width;  // dialog units
        int format;
    } columns[kColumnCount] = {{IDS_LEVEL_NUMBER, 24, LVCFMT_LEFT},  {IDS_LEVEL_NAME, 90, LVCFMT_LEFT},
                               {IDS_LEVEL_HEIGHT, 50, LVCFMT_RIGHT}, {IDS_LEVEL_OFFSET, 40, LVCFMT_RIGHT},
                               {IDS_LEVEL_FROM, 76, LVCFMT_LEFT},    {IDS_LEVEL_CLEAR, 30, LVCFMT_RIGHT}};
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

// A row of texts at the end of the list, one per column.
void addRow(HWND list, std::wstring (&cells)[kColumnCount])
{
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = &cells[0][0];
    int at = static_cast<int>(::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    for (int column = 1; column < kColumnCount; ++column) {
        LVITEMW cell{};
        cell.iSubItem = column;
        cell.pszText = &cells[column][0];
        ::SendMessageW(list, LVM_SETITEMTEXTW, at, reinterpret_cast<LPARAM>(&cell));
    }
}

// Group by group, a title row (its title in the name column, no number) and a row per level. Title
// rows rather than the list view's own groups, which not every list view draws (Wine's does not).
void addRows(HINSTANCE instance, HWND list, const LevelTable& table)
{
    for (const auto& [group, title] : kGroups) {
        std::wstring titleRow[kColumnCount] = {L"", loadString(instance, title), L"", L"", L"", L""};
        addRow(list, titleRow);
        for (const Level& level : table.levels) {
            if (level.group != group) continue;
            LevelRow row = levelRow(table, level);
            std::wstring cells[kColumnCount] = {row.number, row.name, row.height, row.offset, row.from, row.clearHeight};
            addRow(list, cells);
        }
    }
}

// ---------------------------------------------------------------------------------------------------
// [SECTION] Layout

int heightOf(const RECT& r) { return r.bottom - r.top; }
int widthOf(const RECT& r) { return r.right - r.left; }

// A control's rectangle in its dialog's client coordinates.
RECT rectIn(HWND dlg, HWND control)
{
    RECT rect;
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Widens each column to its widest text, the header's included, where the template's width is too
// narrow for the font at this scale; returns the columns' total width. (USEHEADER measures the header
// and the cells of every column but the last, which it would stretch instead.)
int fitColumns(HWND list)
{
    int total = 0;
    for (int column = 0; column < kColumnCount; ++column) {
        const int planned = static_cast<int>(::SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0));
        const int measure = column + 1 < kColumnCount ? LVSCW_AUTOSIZE_USEHEADER : LVSCW_AUTOSIZE;
        ::SendMessageW(list, LVM_SETCOLUMNWIDTH, column, measure);
        const int width = std::max(planned, static_cast<int>(::SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0)));
        ::SendMessageW(list, LVM_SETCOLUMNWIDTH, column, width);
        total += width;
    }
    return total;
}

// The list's border: its window less its client area, scroll bars left out.
SIZE listBorder(HWND list)
{
    RECT rect{0, 0, 0, 0};
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(list, GWL_STYLE)) & ~(WS_HSCROLL | WS_VSCROLL);
    ::AdjustWindowRectEx(&rect, style, FALSE, static_cast<DWORD>(::GetWindowLongPtrW(list, GWL_EXSTYLE)));
    return SIZE{widthOf(rect), heightOf(rect)};
}

// The list as wide as its columns and a vertical scroll bar, so that no column is cut and no
// horizontal scroll bar covers the last row; the note and OK follow, the dialog grows with them, all
// within the screen's work area. Returns by how much the list grew.
int widenForColumns(HWND dlg, int columnsWidth)
{
    HWND list = ::GetDlgItem(dlg, IDC_LEVEL_LIST);
    const RECT listRect = rectIn(dlg, list);
    RECT window;
    ::GetWindowRect(dlg, &window);
    const int needed = columnsWidth + ::GetSystemMetrics(SM_CXVSCROLL) + listBorder(list).cx;
    const int room = widthOf(workAreaOf(dlg)) - widthOf(window);
    const int grow = std::max(0, std::min(needed - widthOf(listRect), room));
    if (grow == 0) return 0;
    for (int id : {IDC_LEVEL_LIST, IDC_LEVEL_NOTE}) {
        HWND control = ::GetDlgItem(dlg, id);
        const RECT rect = rectIn(dlg, control);
        ::MoveWindow(control, rect.left, rect.top, widthOf(rect) + grow, heightOf(rect), FALSE);
    }
    HWND ok = ::GetDlgItem(dlg, IDOK);
    const RECT okRect = rectIn(dlg, ok);
    ::MoveWindow(ok, okRect.left + grow, okRect.top, widthOf(okRect), heightOf(okRect), FALSE);
    ::SetWindowPos(dlg, nullptr, 0, 0, widthOf(window) + grow, heightOf(window), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return grow;
}

// The list's height for `available` pixels at most: every row when they fit; otherwise as many whole
// rows as fit, so that the rows scroll by whole rows and the last one, scrolled to, shows in full. A
// horizontal scroll bar (only where the screen is too narrow for the columns) gets its own room.
int listHeightWithin(HWND list, int available, int columnsWidth)
{
    RECT header{}, item{LVIR_BOUNDS, 0, 0, 0};
    ::GetWindowRect(reinterpret_cast<HWND>(::SendMessageW(list, LVM_GETHEADER, 0, 0)), &header);
    ::SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    const int rows = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    const int row = std::max(1, heightOf(item));
    RECT window;
    ::GetWindowRect(list, &window);
    const SIZE border = listBorder(list);
    const bool fitsAcross = columnsWidth + ::GetSystemMetrics(SM_CXVSCROLL) + border.cx <= widthOf(window);
    const int fixed = border.cy + heightOf(header) + (fitsAcross ? 0 : ::GetSystemMetrics(SM_CYHSCROLL));
    const int shown = std::max(3, std::min(rows, (available - fixed) / row));
    return fixed + shown * row;
}

// The height the note's text takes at the note's width, in its font.
int noteHeightForText(HWND note, const std::wstring& text)
{
    RECT rect;
    ::GetClientRect(note, &rect);
    HDC dc = ::GetDC(note);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(note, WM_GETFONT, 0, 0)));
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    ::SelectObject(dc, old);
    ::ReleaseDC(note, dc);
    return heightOf(rect);
}

// Sizes the columns to their texts and the list to its columns, then stacks the list, the note and OK
// with the template's margins, the list tall enough for every row and the note for its whole text.
// Where the screen's work area is not that tall (a large display scale), the list gives way and
// scrolls by whole rows; the note and OK stay inside the dialog.
void fitToContents(HWND dlg, const std::wstring& note)
{
    HWND list = ::GetDlgItem(dlg, IDC_LEVEL_LIST), noteControl = ::GetDlgItem(dlg, IDC_LEVEL_NOTE);
    HWND ok = ::GetDlgItem(dlg, IDOK);
    const int columnsWidth = fitColumns(list);
    widenForColumns(dlg, columnsWidth);

    const int margin = dialogUnitsToPixels(dlg, 0, 7, true), gap = dialogUnitsToPixels(dlg, 0, 4, true);
    const RECT listRect = rectIn(dlg, list), noteRect = rectIn(dlg, noteControl), okRect = rectIn(dlg, ok);
    RECT window, client;
    ::GetWindowRect(dlg, &window);
    ::GetClientRect(dlg, &client);
    const int frame = heightOf(window) - heightOf(client);  // caption and borders

    const int noteHeight = noteHeightForText(noteControl, note);
    const int below = gap + noteHeight + gap + heightOf(okRect) + margin;  // under the list
    const int available = heightOf(workAreaOf(dlg)) - frame - margin - below;
    const int listHeight = listHeightWithin(list, available, columnsWidth);

    const int noteTop = margin + listHeight + gap, okTop = noteTop + noteHeight + gap;
    ::MoveWindow(list, listRect.left, margin, widthOf(listRect), listHeight, FALSE);
    ::MoveWindow(noteControl, noteRect.left, noteTop, widthOf(noteRect), noteHeight, FALSE);
    ::MoveWindow(ok, okRect.left, okTop, widthOf(okRect), heightOf(okRect), FALSE);
    ::SetWindowPos(dlg, nullptr, 0, 0, widthOf(window), frame + okTop + heightOf(okRect) + margin,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---------------------------------------------------------------------------------------------------
// [SECTION] Filling

// What the list is filled from: the levels, and a line of the run's own under the notes.
struct LevelsContent {
    const LevelTable& table;
    const std::wstring& extraNote;
};

void fillLevels(HWND dlg, const void* data)
{
    const LevelsContent& content = *static_cast<const LevelsContent*>(data);
    const LevelTable& table = content.table;
    auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(dlg, GWLP_HINSTANCE));
    HWND list = ::GetDlgItem(dlg, IDC_LEVEL_LIST);
    ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    addColumns(instance, dlg, list);
    addRows(instance, list, table);
    std::wstring note = levelsNote(instance, table);
    if (!content.extraNote.empty()) note += L"\r\n" + content.extraNote;
    ::SetDlgItemTextW(dlg, IDC_LEVEL_NOTE, note.c_str());
    fitToContents(dlg, note);  // the box is centred after this, at its final size
}

}  // namespace

LevelRow levelRow(const LevelTable& table, const Level& level)
{
    LevelRow row{std::to_wstring(level.number), wideFromSjis(level.sjisName), millimetresText(level.height),
                 millimetresText(level.offset), L"", L""};
    if (level.parent > 0)
        row.from = L"#" + std::to_wstring(level.parent) + L" " + wideFromSjis(table.levels[level.parent - 1].sjisName);
    if (level.interior) row.clearHeight = millimetresText(level.clearHeight);
    return row;
}

void showLevelsDialog(HINSTANCE instance, HWND owner, const FieldTexts& texts, const std::wstring& extraNote)
{
    const LevelTable table = levelTable(texts);
    const LevelsContent content{table, extraNote};
    showInfoBox(instance, IDD_LEVELS, owner, fillLevels, &content);
}

}  // namespace wizard::platform

// SectionPicture.cpp - the section picture with its labels and values (see SectionPicture.h).
#include "platform/win32/SectionPicture.h"

#include "app/LevelTable.h"
#include "platform/win32/ResourceText.h"
#include "platform/win32/ScaledImages.h"
#include "platform/win32/res/resource.h"
#include "platform/win32/res/section-texts.h"
#include <cwscene/NumberText.h>

#include <algorithm>
#include <cmath>
#include <optional>

namespace wizard::platform {

namespace {

constexpr COLORREF kLabelColour = RGB(0x00, 0x00, 0x00);  // as the drawing's own words
constexpr COLORREF kValueColour = RGB(0x1C, 0x4E, 0xA8);  // as the dimension lines (DIMENSION in the script)
constexpr COLORREF kMarkColour = RGB(0xB0, 0x00, 0x00);   // the mark's words and border: a warning's red
constexpr COLORREF kMarkFill = RGB(0xFF, 0xF4, 0xC8);     // its ground: a note's pale yellow

// A value as the levels list and the console print it: general format, '.' whatever the locale.
std::wstring numberText(double value)
{
    std::string text = numtext::general(value);
    return std::wstring(text.begin(), text.end());  // ASCII only: digits, sign, '.', 'e'
}

// The value a line's control stands for, or none when it is not a number.
std::optional<double> valueOf(int controlId, const FieldTexts& texts, const LevelTable& table)
{
    if (controlId == 0) {
        if (std::isnan(table.totalHeight)) return std::nullopt;
        return table.totalHeight;
    }
    std::size_t index = tabIndexOf(controlId);
    if (index >= texts.size()) return std::nullopt;
    return parseFieldText(texts[index]);
}

// The font for the texts: the dialog's face (what the user reads beside the picture), at the scale's
// text size. The dialog font of the template is "ＭＳ Ｐゴシック"; should the dialog have none, the
// GUI font's face stands in.
HFONT createTextFont(HWND dlg, int pixels)
{
    LOGFONTW font{};
    auto dialogFont = reinterpret_cast<HFONT>(::SendMessageW(dlg, WM_GETFONT, 0, 0));
    if (!dialogFont || !::GetObjectW(dialogFont, sizeof font, &font))
        ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    font.lfHeight = -pixels;  // the em, as the script sets its fixed words
    font.lfWidth = 0;
    font.lfWeight = FW_NORMAL;
    font.lfItalic = FALSE;
    font.lfUnderline = FALSE;
    return ::CreateFontIndirectW(&font);
}

int scaledBy(int pixels, double scale) { return static_cast<int>(std::floor(pixels * scale + 0.5)); }

}  // namespace

const SectionTexts& sectionTextsFor(int drawingDpi)
{
    for (const SectionTexts& texts : kSectionTexts)
        if (texts.dpi == drawingDpi) return texts;
    return kSectionTexts[0];
}

std::vector<ShownLine> shownLines(const SectionTexts& layout, const FieldTexts& texts, const LevelTable& table)
{
    std::vector<ShownLine> shown;
    shown.reserve(layout.count);
    for (std::size_t i = 0; i < layout.count; ++i) {
        const SectionTextLine& line = layout.lines[i];
        std::optional<double> value = valueOf(line.controlId, texts, table);
        shown.push_back(ShownLine{line.label, line.value && value ? numberText(*value) : std::wstring(), !value});
    }
    return shown;
}

std::wstring markText(const std::wstring& pattern, std::size_t planNotes)
{
    return planNotes == 0 ? std::wstring() : filledIn(pattern, {std::to_wstring(planNotes)});
}

std::wstring pictureWords(const SectionTexts& layout, const std::vector<ShownLine>& shown, const std::wstring& mark)
{
    std::wstring words = mark.empty() ? std::wstring() : mark + L"\r\n";
    for (std::size_t i = 0; i < layout.count && i < shown.size(); ++i) {
        const bool first = i == 0 || layout.lines[i - 1].controlId != layout.lines[i].controlId;
        if (first && i > 0) words += L"\r\n";
        words += shown[i].label;
        if (!shown[i].value.empty()) words += L" " + shown[i].value;
    }
    return words;
}

bool SectionPicture::attach(HWND dlg, HINSTANCE instance, int dpi)
{
    release();
    HWND control = pictureControl(dlg);
    RECT frame{};
    if (!control || !::GetClientRect(control, &frame) || frame.right <= 0 || frame.bottom <= 0) return false;

    const SectionChoice choice = chooseSection(dpi);
    POINT origin{};
    HBITMAP drawing = sectionCanvas(instance, choice, frame.right, frame.bottom, &origin);
    HBITMAP shown = drawing ? sectionCanvas(instance, choice, frame.right, frame.bottom, &origin) : nullptr;
    const SectionTexts& layout = sectionTextsFor(choice.drawingDpi);
    const double scale = static_cast<double>(choice.width) / layout.width;
    HFONT font = shown ? createTextFont(dlg, scaledBy(layout.fontPixels, scale)) : nullptr;
    if (!font) {
        if (drawing) ::DeleteObject(drawing);
        if (shown) ::DeleteObject(shown);
        return false;
    }
    m_control = control;
    m_drawing = drawing;
    m_shown = shown;
    m_font = font;
    m_layout = &layout;
    m_canvasWidth = frame.right;
    m_canvasHeight = frame.bottom;
    m_originX = origin.x;
    m_originY = origin.y;
    m_scale = scale;
    m_markPattern = loadString(instance, IDS_PLAN_MARK);

    // The image the control had (bitmap 129, loaded from the template) comes back and is ours now.
    auto previous = reinterpret_cast<HBITMAP>(
        ::SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(m_shown)));
    if (previous && previous != m_shown) ::DeleteObject(previous);
    return true;
}

void SectionPicture::show(const FieldTexts& texts)
{
    if (!m_control) return;
    const LevelTable table = levelTable(texts);  // the total height and the notes, as the levels list has them
    const std::vector<ShownLine> shown = shownLines(*m_layout, texts, table);
    const std::wstring mark = markText(m_markPattern, table.planNotes.size());

    HDC from = ::CreateCompatibleDC(nullptr);
    HDC to = ::CreateCompatibleDC(nullptr);
    HGDIOBJ oldFrom = ::SelectObject(from, m_drawing);
    HGDIOBJ oldTo = ::SelectObject(to, m_shown);
    ::BitBlt(to, 0, 0, m_canvasWidth, m_canvasHeight, from, 0, 0, SRCCOPY);
    HGDIOBJ oldFont = ::SelectObject(to, m_font);
    ::SetBkMode(to, TRANSPARENT);
    ::SetTextAlign(to, TA_LEFT | TA_BASELINE | TA_NOUPDATECP);
    for (std::size_t i = 0; i < shown.size(); ++i) drawLine(to, m_layout->lines[i], shown[i]);
    if (!mark.empty()) drawMark(to, mark);
    ::SelectObject(to, oldFont);
    ::SelectObject(from, oldFrom);
    ::SelectObject(to, oldTo);
    ::DeleteDC(from);
    ::DeleteDC(to);

    ::DefWindowProcW(m_control, WM_SETTEXT, 0,  // the static control keeps no text of its own for a bitmap
                     reinterpret_cast<LPARAM>(pictureWords(*m_layout, shown, mark).c_str()));
    ::InvalidateRect(m_control, nullptr, FALSE);
}

// One line: the label, then a blank and the value, placed by its anchor and kept inside the canvas
// (a long value in a narrow frame moves the line inwards rather than losing its start).
void SectionPicture::drawLine(HDC dc, const SectionTextLine& line, const ShownLine& shown) const
{
    SIZE label{}, blank{}, value{};
    ::GetTextExtentPoint32W(dc, shown.label.c_str(), static_cast<int>(shown.label.size()), &label);
    if (!shown.value.empty()) {
        ::GetTextExtentPoint32W(dc, shown.value.c_str(), static_cast<int>(shown.value.size()), &value);
        if (!shown.label.empty()) ::GetTextExtentPoint32W(dc, L" ", 1, &blank);
    }
    const int width = label.cx + blank.cx + value.cx;
    const int anchor = m_originX + scaledBy(line.x, m_scale);
    int left = line.anchor == TextAnchor::Start ? anchor : line.anchor == TextAnchor::Middle ? anchor - width / 2
                                                                                          : anchor - width;
    left = std::max(0, std::min(left, m_canvasWidth - width));
    const int baseline = m_originY + scaledBy(line.baseline, m_scale);

    ::SetTextColor(dc, shown.greyed ? ::GetSysColor(COLOR_GRAYTEXT) : kLabelColour);
    ::TextOutW(dc, left, baseline, shown.label.c_str(), static_cast<int>(shown.label.size()));
    if (!shown.value.empty()) {
        ::SetTextColor(dc, kValueColour);
        ::TextOutW(dc, left + label.cx + blank.cx, baseline, shown.value.c_str(), static_cast<int>(shown.value.size()));
    }
}

// The mark in the canvas's top left corner, where the drawing leaves room at every scale (the total
// height's line starts below it): the words on a pale ground in a red frame, a text's height and a
// little more from the edges.
void SectionPicture::drawMark(HDC dc, const std::wstring& mark) const
{
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, mark.c_str(), static_cast<int>(mark.size()), &extent);
    const int height = static_cast<int>(extent.cy), width = static_cast<int>(extent.cx);
    const int pad = std::max(2, height / 4), edge = std::max(3, height / 3);
    RECT box{edge, edge, edge + width + 2 * pad, edge + height + 2 * pad};
    HBRUSH fill = ::CreateSolidBrush(kMarkFill);
    HPEN border = ::CreatePen(PS_SOLID, std::max(1, height / 12), kMarkColour);
    HGDIOBJ oldBrush = ::SelectObject(dc, fill), oldPen = ::SelectObject(dc, border);
    ::Rectangle(dc, box.left, box.top, box.right, box.bottom);
    ::SelectObject(dc, oldBrush);
    ::SelectObject(dc, oldPen);
    ::DeleteObject(fill);
    ::DeleteObject(border);

    const UINT align = ::SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    ::SetTextColor(dc, kMarkColour);
    ::TextOutW(dc, box.left + pad, box.top + pad, mark.c_str(), static_cast<int>(mark.size()));
    ::SetTextAlign(dc, align);
}

void SectionPicture::release()
{
    if (m_shown) ::DeleteObject(m_shown);
    if (m_drawing) ::DeleteObject(m_drawing);
    if (m_font) ::DeleteObject(m_font);
    m_control = nullptr;
    m_shown = m_drawing = nullptr;
    m_font = nullptr;
    m_layout = nullptr;
}

}  // namespace wizard::platform

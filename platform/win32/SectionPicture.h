// SectionPicture.h - the section picture beside the fields, with each dimension's label, the value its
// field holds, and the total height, redrawn as the user types.
//
// Win32 layer. The bitmaps (res/section*.bmp, chosen for the display's scale by ScaledImages.h) hold
// the drawing. The labels of the dimensions, their values and the total height are drawn over it at
// run time with GDI text at that scale's font size, at the places draw-resources.py decided and wrote
// to res/section-texts.h for each scale, so the script stays the one source of where things are and
// the text is as sharp as the drawing at every scale. A field whose text is not a number shows its
// label alone, greyed; so does the total height when a field it needs is not a number. Nothing is
// refused here: the exchange on OK decides, as before. The picture control's window text says the
// same in words, a line per dimension ("１階部屋高 2400"), for tools that read windows rather than
// pixels (a screen reader, the end-to-end suite's probe). While any plan note is open (a field in the
// other unit, a size not above 0, the building beyond its site: builder/PlanNotes.h), a mark in the
// picture's corner counts them, "注意 2 件 (F1)", and the words begin with it; it goes when the values
// are mended.
#pragma once

#include "app/DialogExchange.h"  // FieldTexts
#include "app/LevelTable.h"
#include "platform/win32/SectionTextLayout.h"

#include <cstddef>
#include <string>
#include <vector>

#include <windows.h>  // HBITMAP, HDC, HFONT, HINSTANCE, HWND

namespace wizard::platform {

// The lines over the bitmap drawn for `drawingDpi` (96, 120, 144 or 192); the 96 DPI ones for any other.
const SectionTexts& sectionTextsFor(int drawingDpi);

// What one line shows for the texts as they stand.
struct ShownLine {
    std::wstring label;
    std::wstring value;  // empty on a line without the value, and when the value is not a number
    bool greyed;         // the field is not a number (for the total height: one of those it needs)
};
std::vector<ShownLine> shownLines(const SectionTexts& layout, const FieldTexts& texts, const LevelTable& table);

// The mark for `planNotes` open plan notes, from the resources' pattern ("注意 %1 件 (F1)"); empty
// when there are none.
std::wstring markText(const std::wstring& pattern, std::size_t planNotes);

// The picture in words: the mark on a line of its own when there is one; then per dimension, its label
// lines joined and the value after a blank, or the label alone when its field is not a number; one
// dimension per line, CR LF between them.
std::wstring pictureWords(const SectionTexts& layout, const std::vector<ShownLine>& shown, const std::wstring& mark);

// The picture control's bitmap: the drawing for the display's scale on a canvas of the control's
// size, with the texts over it. Owns its bitmaps and font; the control only shows them, so the
// object must outlive the dialog's controls (release() after the dialog is gone).
class SectionPicture {
public:
    SectionPicture() = default;
    SectionPicture(const SectionPicture&) = delete;
    SectionPicture& operator=(const SectionPicture&) = delete;
    ~SectionPicture() { release(); }

    // Puts the section for `dpi` into the dialog's picture control (its one SS_BITMAP static), centred
    // on a canvas of the control's size, with text in the dialog's font face. False when no picture
    // could be made: the template's bitmap 129 then stays, without texts.
    bool attach(HWND dlg, HINSTANCE instance, int dpi);

    // Draws the texts for `texts` over the drawing and has the control repaint. Nothing before attach().
    void show(const FieldTexts& texts);

    // Deletes the bitmaps and the font. Call once the picture control is gone or shows another image.
    void release();

private:
    void drawLine(HDC dc, const SectionTextLine& line, const ShownLine& shown) const;
    void drawMark(HDC dc, const std::wstring& mark) const;

    HWND m_control = nullptr;
    HBITMAP m_drawing = nullptr;   // the canvas with the drawing alone
    HBITMAP m_shown = nullptr;     // the canvas the control shows: the drawing and the texts
    HFONT m_font = nullptr;        // the dialog's face at the scale's text size
    const SectionTexts* m_layout = nullptr;
    int m_canvasWidth = 0, m_canvasHeight = 0;
    int m_originX = 0, m_originY = 0;  // where the drawing's top left lies on the canvas
    double m_scale = 1.0;              // the drawing's size on the canvas to the size it was drawn at
    std::wstring m_markPattern;        // IDS_PLAN_MARK
};

}  // namespace wizard::platform

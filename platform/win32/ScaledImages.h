// ScaledImages.h - the section picture at the size the display's scale asks for.
//
// Win32 layer. The dialog grows with the display's scale (its font does), and so does the picture's
// frame; a bitmap of fixed size would sit small in the middle of it. The resources hold the section
// drawn for 100, 125, 150 and 200 % (bitmaps 129 to 132, drawn by res/draw-resources.py, each as
// sharp as the first): at start the dialog puts the one for the system's DPI into its picture
// control (SectionPicture.h), on a canvas of the frame's size in the drawing's background colour, so
// that a frame a little taller than the drawing (a dialog font with other metrics) shows no bands of
// the dialog's colour. Any other scale gets the next larger drawing resampled to its size. (The
// icons need no code: their group holds every size that Windows asks for at those scales, and
// LoadIcon and LoadImage take the one that fits.)
#pragma once

#include <windows.h>  // HBITMAP, HINSTANCE, HWND, POINT

namespace wizard::platform {

// Which section bitmap to load for `dpi`, and the size to show it at: the one drawn for `dpi` at its
// own size, or else the one drawn for the next larger DPI (the largest above 192) resampled to
// 222 x 382 scaled by dpi / 96, rounded half up.
struct SectionChoice {
    int resourceId;
    int width;
    int height;
    bool resample;   // true when the chosen drawing has another size than width x height
    int drawingDpi;  // the DPI the chosen bitmap was drawn for
};
SectionChoice chooseSection(int dpi);

// The system DPI as this (system-aware) program sees it: 96 at 100 %, 192 at 200 %.
int systemDpi();

// The dialog's picture control: its one static control that shows a bitmap; null when there is none.
HWND pictureControl(HWND dlg);

// A 24-bit picture of the frame's size (`frameWidth` x `frameHeight`) with the drawing `choice` names
// centred in it at its size, and the rest in the drawing's background colour; `drawingOrigin` receives
// where the drawing's top left lies on it (negative where the frame is the smaller). The caller owns
// the bitmap; null on failure.
HBITMAP sectionCanvas(HINSTANCE instance, const SectionChoice& choice, int frameWidth, int frameHeight,
                      POINT* drawingOrigin);

}  // namespace wizard::platform

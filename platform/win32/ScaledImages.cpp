// ScaledImages.cpp - the section picture at the display's scale (see ScaledImages.h).
#include "platform/win32/ScaledImages.h"

#include "platform/win32/res/resource.h"

namespace wizard::platform {

namespace {

// The four drawings of res/draw-resources.py: DPI, bitmap, size in pixels.
struct SectionDrawing {
    int dpi;
    int resourceId;
    int width;
    int height;
};
constexpr SectionDrawing kSectionDrawings[] = {
    {96, IDB_SECTION, 222, 382},
    {120, IDB_SECTION_125, 278, 478},
    {144, IDB_SECTION_150, 333, 573},
    {192, IDB_SECTION_200, 444, 764},
};

// 100 % size scaled to `dpi`, rounded half up as draw-resources.py rounds.
int scaledSize(int size100, int dpi) { return (size100 * dpi + 48) / 96; }

// A 24-bit picture of the frame's size (`frameWidth` x `frameHeight`) with `drawing` centred in it at
// `width` x `height` (resampled with the halftone filter when that is not its own size), and the
// rest in the drawing's background colour, its top left pixel. So the frame shows one picture edge to
// edge even when the dialog font makes it a little taller than the drawing, where SS_CENTERIMAGE
// would leave bands of the dialog's colour. A bitmap without alpha, which the static control shows
// as it is (one with alpha it would copy). `origin` receives where the drawing's top left lies. Null on
// failure.
HBITMAP composed(HBITMAP drawing, int width, int height, int frameWidth, int frameHeight, POINT* origin)
{
    BITMAP size{};
    if (!::GetObjectW(drawing, sizeof size, &size)) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = frameWidth;
    info.bmiHeader.biHeight = frameHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP canvas = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!canvas) return nullptr;

    HDC from = ::CreateCompatibleDC(nullptr);
    HDC to = ::CreateCompatibleDC(nullptr);
    HGDIOBJ oldFrom = ::SelectObject(from, drawing);
    HGDIOBJ oldTo = ::SelectObject(to, canvas);
    HBRUSH background = ::CreateSolidBrush(::GetPixel(from, 0, 0));
    RECT all{0, 0, frameWidth, frameHeight};
    BOOL drawn = background && ::FillRect(to, &all, background);
    int x = (frameWidth - width) / 2;
    int y = (frameHeight - height) / 2;
    *origin = POINT{x, y};
    if (width == size.bmWidth && height == size.bmHeight) {
        drawn = drawn && ::BitBlt(to, x, y, width, height, from, 0, 0, SRCCOPY);
    } else {
        ::SetStretchBltMode(to, HALFTONE);
        ::SetBrushOrgEx(to, 0, 0, nullptr);  // HALFTONE asks for it after the mode is set
        drawn = drawn && ::StretchBlt(to, x, y, width, height, from, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
    }
    ::SelectObject(from, oldFrom);
    ::SelectObject(to, oldTo);
    if (background) ::DeleteObject(background);
    ::DeleteDC(from);
    ::DeleteDC(to);
    if (!drawn) {
        ::DeleteObject(canvas);
        return nullptr;
    }
    return canvas;
}

}  // namespace

SectionChoice chooseSection(int dpi)
{
    const SectionDrawing* chosen = &kSectionDrawings[sizeof kSectionDrawings / sizeof kSectionDrawings[0] - 1];
    for (const SectionDrawing& drawing : kSectionDrawings) {
        if (drawing.dpi >= dpi) {
            chosen = &drawing;
            break;
        }
    }
    if (chosen->dpi == dpi) return SectionChoice{chosen->resourceId, chosen->width, chosen->height, false, chosen->dpi};
    return SectionChoice{chosen->resourceId, scaledSize(222, dpi), scaledSize(382, dpi), true, chosen->dpi};
}

int systemDpi()
{
    HDC screen = ::GetDC(nullptr);
    int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

HWND pictureControl(HWND dlg)
{
    for (HWND child = ::GetWindow(dlg, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if ((::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) return child;
    return nullptr;
}

HBITMAP sectionCanvas(HINSTANCE instance, const SectionChoice& choice, int frameWidth, int frameHeight,
                      POINT* drawingOrigin)
{
    auto drawing = static_cast<HBITMAP>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(choice.resourceId), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    if (!drawing) return nullptr;
    HBITMAP canvas = composed(drawing, choice.width, choice.height, frameWidth, frameHeight, drawingOrigin);
    ::DeleteObject(drawing);
    return canvas;
}

}  // namespace wizard::platform

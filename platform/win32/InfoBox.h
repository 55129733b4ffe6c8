// InfoBox.h - the modal boxes that show something and change nothing: the About box (dialog template
// 100) and the levels list (LevelsDialog.h), both opened from the wizard's system menu.
//
// Win32 layer. One dialog procedure serves them all: the box is filled when it opens, centred over
// its owner, and closed by OK, Esc or the close box. Its result is ignored.
#pragma once

#include <windows.h>  // HINSTANCE, HWND

namespace wizard::platform {

// Fills a box when it opens, with what showInfoBox was given as `data`.
using FillInfoBox = void (*)(HWND dlg, const void* data);

// Shows dialog template `templateId` owned by `owner` and returns when it is closed. `fill` (null:
// nothing to fill) runs when it opens, before the box is centred; the focus then goes to its first
// tab stop. A box that cannot be shown is simply not shown.
void showInfoBox(HINSTANCE instance, int templateId, HWND owner, FillInfoBox fill, const void* data);

// The About box: the icon, the name and version, the maker line and OK.
void showAboutBox(HINSTANCE instance, HWND owner);

}  // namespace wizard::platform

// WindowPlacement.h - centring a dialog on its owner or on the work area of its monitor.
//
// Win32 layer.
#pragma once

#include <windows.h>  // HWND

namespace wizard::platform {

// Moves `window` so that it is centred over `owner`, or over the work area of the monitor it is on
// when `owner` is null or minimized; the result is kept inside that work area.
void centreOver(HWND window, HWND owner);

// The work area (the screen less the task bar) of the monitor `window` is on.
RECT workAreaOf(HWND window);

}  // namespace wizard::platform

// AboutBox.h - the About box (dialog template 100), opened from the wizard's system menu.
//
// Win32 layer. A modal box with the icon, the name and version, the maker line and OK; it changes
// nothing and its result is ignored.
#pragma once

#include <windows.h>  // HINSTANCE, HWND

namespace wizard::platform {

// Shows the About box owned by `owner` and returns when it is closed (OK, Esc or the close box).
void showAboutBox(HINSTANCE instance, HWND owner);

}  // namespace wizard::platform

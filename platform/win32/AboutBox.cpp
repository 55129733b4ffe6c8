// AboutBox.cpp - the About box (see AboutBox.h).
#include "platform/win32/AboutBox.h"

#include "platform/win32/WindowPlacement.h"
#include "platform/win32/res/resource.h"

namespace wizard::platform {

namespace {

// OK, Esc and the close box all arrive as WM_COMMAND with IDOK or IDCANCEL.
INT_PTR CALLBACK aboutProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    switch (msg) {
    case WM_INITDIALOG:
        centreOver(dlg, ::GetWindow(dlg, GW_OWNER));
        return TRUE;
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

void showAboutBox(HINSTANCE instance, HWND owner)
{
    // ignored: the box has nothing to report, and one that cannot be shown is simply not shown
    ::DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_ABOUTBOX), owner, aboutProc, 0);
}

}  // namespace wizard::platform

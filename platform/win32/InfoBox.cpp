// InfoBox.cpp - the boxes that only show something (see InfoBox.h).
#include "platform/win32/InfoBox.h"

#include "platform/win32/WindowPlacement.h"
#include "platform/win32/res/resource.h"

namespace wizard::platform {

namespace {

// What the procedure needs when the box opens.
struct Opening {
    FillInfoBox fill;
    const void* data;
};

// OK, Esc and the close box all arrive as WM_COMMAND with IDOK or IDCANCEL.
INT_PTR CALLBACK infoBoxProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG: {
        const Opening& opening = *reinterpret_cast<const Opening*>(lParam);
        if (opening.fill) opening.fill(dlg, opening.data);
        centreOver(dlg, ::GetWindow(dlg, GW_OWNER));
        return TRUE;  // the focus goes to the first tab stop
    }
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

void showInfoBox(HINSTANCE instance, int templateId, HWND owner, FillInfoBox fill, const void* data)
{
    Opening opening{fill, data};
    // ignored: the box has nothing to report, and one that cannot be shown is simply not shown
    ::DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId), owner, infoBoxProc, reinterpret_cast<LPARAM>(&opening));
}

void showAboutBox(HINSTANCE instance, HWND owner) { showInfoBox(instance, IDD_ABOUTBOX, owner, nullptr, nullptr); }

}  // namespace wizard::platform

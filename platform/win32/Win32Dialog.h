// Win32Dialog.h - the wizard dialog as a modal Win32 dialog box on template 102.
//
// Win32 layer. Implements Dialog: doModal shows the thirteen parameters in their edit
// controls, and on OK runs the shared data exchange (app/DialogExchange.h). A field that does not
// hold a number gets the prompt "数値を入力してください。", the focus and its text selected, and the
// dialog stays open. The section picture shows each dimension's value as the user types
// (SectionPicture.h), with a mark while plan notes are open. The system menu carries the About item
// and the levels list (LevelsDialog.h), which F1 and a click on the picture open too; a minimized
// window paints its icon. The picture and the icons come at the size the display's
// scale asks for (ScaledImages.h). The dialog never builds anything: it returns, and the shell
// decides what happens next.
#pragma once

#include "app/Dialog.h"
#include "app/DialogExchange.h"
#include "platform/win32/SectionPicture.h"

#include <string>

#include <windows.h>  // HINSTANCE, HWND, HICON

namespace wizard::platform {

class Win32Dialog : public Dialog {
public:
    explicit Win32Dialog(HINSTANCE instance);
    Win32Dialog(const Win32Dialog&) = delete;
    Win32Dialog& operator=(const Win32Dialog&) = delete;

    // kDialogOk (IDOK) with `params` updated; kDialogCancel (IDCANCEL) when the user cancelled,
    // closed the window or the dialog could not be created, with `params` untouched.
    int doModal(WizardParams& params) override;

    // The scene and parameter paths name one file (`utf8Path`): the levels list says that OK writes
    // the scene there and not the parameters.
    void noteSameFile(const std::string& utf8Path);

private:
    static INT_PTR CALLBACK dialogProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

    INT_PTR onInitDialog(HWND dlg);
    INT_PTR onCommand(HWND dlg, int id, int notification, HWND control);
    INT_PTR onSysCommand(HWND dlg, WPARAM command);
    INT_PTR onHelp(HWND dlg);
    INT_PTR onPaint(HWND dlg);
    void onOk(HWND dlg);
    FieldTexts fieldTexts(HWND dlg) const;
    void showLevels(HWND dlg) const;  // the levels list for the fields as they stand, with the path note

    HINSTANCE m_instance;
    HICON m_icon;                          // icon group 128 at the system's large size (shared, not destroyed)
    HICON m_smallIcon;                     // the group's image at the system's small size, for the caption
    SectionPicture m_picture;              // the section with its values, only while doModal runs
    WizardParams* m_params = nullptr;      // the values being edited, only while doModal runs
    std::wstring m_sameFileNote;           // a line for the levels list's note; empty: none
};

// Where a minimized window draws its icon: centred in the client area, rounding as the classic
// dialog framework does, (client - icon + 1) / 2 with division truncating towards zero.
struct IconOrigin {
    int x;
    int y;
};
IconOrigin iconOrigin(int clientWidth, int clientHeight, int iconWidth, int iconHeight);

}  // namespace wizard::platform

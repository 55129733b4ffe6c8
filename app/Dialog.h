// Dialog.h - the wizard dialog as the shell sees it: show the thirteen values modally, let the user
// edit them, report OK or not.
//
// Shell layer, portable interface: the shell (WizardDialog) calls it, and the layer above implements
// it: platform/win32 with dialog template 102, platform/posix with a console form on standard input
// and output, and tests with a fake.
#pragma once

namespace wizard {

struct WizardParams;

// Results of doModal, as the dialog framework numbers its buttons (IDOK, IDCANCEL).
inline constexpr int kDialogOk = 1;
inline constexpr int kDialogCancel = 2;

class Dialog {
public:
    virtual ~Dialog() = default;

    // Runs the dialog. On OK every field parsed as a number, `params` holds the new values and the
    // result is kDialogOk; any other result (kDialogCancel: Cancel, the window closed, end of input)
    // leaves `params` alone.
    virtual int doModal(WizardParams& params) = 0;
};

}  // namespace wizard

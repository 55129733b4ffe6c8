// WizardDialog.h - the wizard's dialog as the shell holds it: the thirteen parameters, and the modal
// run that the platform's dialog performs on them.
//
// Portable: the window or console form itself is a platform::Dialog (platform/Dialog.h).
#pragma once

#include "builder/WizardParams.h"

namespace platform {
class Dialog;
}

// Results of DoModal, as the dialog framework numbers its buttons.
inline constexpr int kDialogOk = 1;
inline constexpr int kDialogCancel = 2;

class WizardDialog {
public:
    explicit WizardDialog(platform::Dialog& window) : m_window(window) {}

    // Shows the parameters and lets the user edit them. Returns kDialogOk when the form was confirmed
    // and every field held a number (m_params then holds the new values); anything else leaves
    // m_params as it was.
    int DoModal();

    WizardParams m_params;  // all 0.0 until the shell loads or defaults them

private:
    platform::Dialog& m_window;
};

// WizardDialog.h - the wizard's dialog as the shell holds it: the thirteen parameters, and the modal
// run that the platform's dialog performs on them.
//
// Shell layer, portable: the window or console form itself is a Dialog (app/Dialog.h), which the
// platform layer implements.
#pragma once

#include "app/Dialog.h"  // kDialogOk
#include "builder/WizardParams.h"

namespace wizard {

class WizardDialog {
public:
    explicit WizardDialog(Dialog& window) : m_window(window) {}

    // Shows the parameters and lets the user edit them. Returns kDialogOk when the form was confirmed
    // and every field held a number (m_params then holds the new values); anything else leaves
    // m_params as it was.
    int DoModal();

    WizardParams m_params;  // all 0.0 until the shell loads or defaults them

private:
    Dialog& m_window;
};

}  // namespace wizard

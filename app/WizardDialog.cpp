// WizardDialog.cpp - forwards the modal run to the platform's dialog (see WizardDialog.h).
#include "app/WizardDialog.h"

#include "app/Dialog.h"

namespace wizard {

int WizardDialog::DoModal()
{
    // The platform dialog edits a copy, so that a Cancel cannot leave half-changed values behind.
    WizardParams edited = m_params;
    int result = m_window.doModal(edited);
    if (result == kDialogOk) m_params = edited;
    return result;
}

}  // namespace wizard

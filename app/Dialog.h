// Dialog.h - the wizard dialog as the shell sees it: show the thirteen values modally, let the user
// edit them, report OK or not.
//
// Shell layer, portable interface: the shell (WizardDialog) calls it, and the layer above implements
// it: platform/win32 with dialog template 102, platform/posix with a console form on standard input
// and output, and tests with a fake.
#pragma once

namespace wizard {

struct WizardParams;

class Dialog {
public:
    virtual ~Dialog() = default;

    // Runs the dialog. On OK every field parsed as a number, `params` holds the new values and the
    // result is 1; any other result (Cancel, the window closed, end of input) leaves `params` alone.
    virtual int doModal(WizardParams& params) = 0;
};

}  // namespace wizard

// WizardApp.h - the application object: the whole wizard runs once inside InitInstance.
//
// Portable: no platform headers. The platform's entry point (main on POSIX, WinMain on Windows)
// provides the dialog and the registry, splits the command line, calls InitInstance and ends the
// process with its result. InitInstance shows the dialog; on OK it builds and saves the scene, writes
// the registry defaults and saves the parameter file. Failures along the way are passed over
// silently: the wizard has no messages of its own.
#pragma once

#include "app/WizardCommandLine.h"

#include <vector>

namespace platform {
class Dialog;
class Registry;
}

class WizardApp {
public:
    WizardApp(platform::Dialog& dialog, platform::Registry& registry) : m_dialog(dialog), m_registry(registry) {}

    // Runs the wizard: command line, starting values, dialog, and on OK the build and the saves.
    // Always returns 0: there is no message loop after it and no exit status of its own.
    int InitInstance(const std::vector<CommandParam>& params);

private:
    platform::Dialog& m_dialog;
    platform::Registry& m_registry;
};

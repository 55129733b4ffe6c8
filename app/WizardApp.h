// WizardApp.h - the application object: the whole wizard runs once inside InitInstance.
//
// Shell layer, portable: no platform headers. The platform's entry point (main on POSIX, WinMain on
// Windows) provides the dialog and the registry, splits the command line, calls InitInstance and
// ends the process with its result. InitInstance shows the dialog; on OK it builds and saves the
// scene, writes the registry defaults and saves the parameter file. Failures along the way are
// passed over silently: the wizard has no messages of its own.
#pragma once

#include "app/WizardCommandLine.h"

#include <string>
#include <vector>

namespace wizard {

class Dialog;
class Registry;

// What a run did, for a front end that reports it (the console prints a line per file and sets its
// exit status from it; the Windows dialog shows nothing, as the wizard has no messages of its own).
struct RunReport {
    bool confirmed = false;      // the dialog closed with OK and the build ran
    std::string scenePath;       // where the scene was saved
    bool sceneSaved = false;
    int sceneError = 0;          // errno of a scene file that could not be written
    int registryValues = 0;      // registry values set
    std::string paramPath;       // the parameter file, when the command line named one
    bool paramsSaved = false;
    int paramsError = 0;         // errno of a parameter file that could not be written
};

class WizardApp {
public:
    WizardApp(Dialog& dialog, Registry& registry) : m_dialog(dialog), m_registry(registry) {}

    // Runs the wizard: command line, starting values, dialog, and on OK the build and the saves.
    // Always returns 0: there is no message loop after it and no exit status of its own.
    int InitInstance(const std::vector<CommandParam>& params);

    // What the last InitInstance did.
    const RunReport& lastRun() const { return m_report; }

private:
    RunReport m_report;
    Dialog& m_dialog;
    Registry& m_registry;
};

}  // namespace wizard

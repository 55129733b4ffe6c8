// WizardApp.h - the application object: the whole wizard runs once inside InitInstance.
//
// Shell layer, portable: no platform headers. The platform's entry point (main on POSIX, WinMain on
// Windows) provides the dialog and the registry, splits the command line, calls InitInstance and
// ends the process. InitInstance shows the dialog; on OK it builds and saves the scene, writes the
// registry defaults and saves the parameter file. Failures along the way are passed over silently:
// the wizard has no messages of its own, and the report it returns is for a front end that has.
#pragma once

#include "app/WizardCommandLine.h"
#include "builder/SceneBuilder.h"  // BuildResult
#include <cwscene/FileAccess.h>    // WriteOutcome

#include <optional>
#include <vector>

namespace wizard {

class Dialog;
class Registry;

// What a run did, for a front end that reports it (the console prints a line per file and sets its
// exit status from it; the Windows dialog shows nothing, as the wizard has no messages of its own).
struct RunReport {
    bool confirmed = false;  // the dialog closed with OK and the build ran
    BuildResult built;       // after OK: the registry defaults and the scene file
    std::optional<fileio::WriteOutcome> params;  // after OK: the parameter file, when the command line named one
    // After OK: the parameter path names the scene file just written, so the parameters were not
    // written over the scene (params stays empty).
    bool paramsSameAsScene = false;
};

class WizardApp {
public:
    WizardApp(Dialog& dialog, Registry& registry) : m_dialog(dialog), m_registry(registry) {}

    // Runs the wizard: command line, starting values, dialog, and on OK the build and the saves.
    // Returns what the run did; there is no message loop after it and no exit status of its own.
    RunReport InitInstance(const std::vector<CommandParam>& params);

private:
    Dialog& m_dialog;
    Registry& m_registry;
};

}  // namespace wizard

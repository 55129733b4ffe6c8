// WizardApp.cpp - the whole run of the wizard, in the order the shell promises (see WizardApp.h).
#include "app/WizardApp.h"

#include "builder/ParamFile.h"
#include "app/WizardDialog.h"

namespace wizard {

RunReport WizardApp::InitInstance(const std::vector<CommandParam>& params)
{
    // The control look and control-container support are the platform layer's business (the Win32
    // entry point initialises the common controls before it gets here); nothing to do in the core.

    WizardDialog dialog(m_dialog);

    WizardCommandLine commandLine;
    ParseCommandLine(params, commandLine);

    // Starting values: the parameter file when it opened at parse time and its header matches,
    // otherwise the built-in defaults. A missing or foreign file is passed over silently.
    if (!(commandLine.m_bParamFileExists == 1 && LoadParams(dialog.m_params, commandLine) == 1))
        SetDefaultParams(dialog.m_params);

    // Both paths naming one file would put the 120 parameter bytes over the scene: the scene is what
    // the user came for, so it is written and the parameters are not. Asked before the build (a hard
    // link, which the scene's replacement parts from its other name) and after it (two names of a file
    // that was new).
    bool oneFile = fileio::sameFile(commandLine.m_strScenePath, commandLine.m_strParamPath);

    // Only OK builds and saves; Cancel, a closed window or the end of input write nothing anywhere.
    RunReport report;
    if (dialog.DoModal() != kDialogOk) return report;
    report.confirmed = true;
    // Writes the registry defaults, then the scene.
    report.built = BuildScene(dialog.m_params, commandLine, m_registry);
    // A file that cannot be written is skipped silently here; only a front end that reports looks at
    // the outcome. With a single path there is no parameter file to write.
    if (commandLine.m_bNoPath == 0 && !commandLine.m_strParamPath.empty()) {
        oneFile = oneFile || fileio::sameFile(report.built.scene.path, commandLine.m_strParamPath);
        if (oneFile)
            report.paramsSameAsScene = true;
        else
            report.params = SaveParams(dialog.m_params, commandLine);
    }
    return report;
}

}  // namespace wizard

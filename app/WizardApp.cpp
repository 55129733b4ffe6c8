// WizardApp.cpp - the whole run of the wizard, in the order the shell promises (see WizardApp.h).
#include "app/WizardApp.h"

#include "builder/ParamFile.h"
#include "app/WizardDialog.h"
#include "builder/SceneBuilder.h"
#include <cwscene/FileAccess.h>

namespace wizard {

int WizardApp::InitInstance(const std::vector<CommandParam>& params)
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

    // Only OK builds and saves; Cancel, a closed window or the end of input write nothing anywhere.
    m_report = RunReport{};
    if (dialog.DoModal() == kDialogOk) {
        m_report.confirmed = true;
        // Writes the registry defaults, then the scene.
        BuildResult built = BuildScene(dialog.m_params, commandLine, m_registry);
        m_report.scenePath = built.scenePath;
        m_report.sceneSaved = built.sceneSaved;
        m_report.sceneError = built.sceneError;
        m_report.registryValues = built.registryValues;
        if (commandLine.m_bNoPath == 0) {
            // A file that cannot be written is skipped silently here; only a front end that reports
            // looks at the result. (With a single path the parameter path is empty and nothing is written.)
            int saved = SaveParams(dialog.m_params, commandLine);
            if (!commandLine.m_strParamPath.empty()) {
                m_report.paramPath = commandLine.m_strParamPath;
                m_report.paramsSaved = saved == 1;
                m_report.paramsError = saved == 1 ? 0 : fileio::lastWriteError();
            }
        }
    }
    return 0;
}

}  // namespace wizard

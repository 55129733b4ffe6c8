// WinMain.cpp - start-up of skipfloor-wizard.exe: the Win32 dialog and registry, the wide command
// line, and the wizard's InitInstance.
//
// Win32 layer. A Unicode program (-municode), so the C runtime fills __wargv from the command line by
// its own quoting rules and Japanese paths arrive whatever the ANSI code page. There is no message
// loop: the modal dialog runs its own, and the process ends when InitInstance returns.
#include "app/WizardApp.h"
#include <cwscene/FileAccess.h>  // sameFile
#include "platform/win32/Win32CommandLine.h"
#include "platform/win32/Win32Dialog.h"
#include "platform/win32/Win32Registry.h"

#include <windows.h>
#include <commctrl.h>  // InitCommonControlsEx
#include <shellapi.h>  // CommandLineToArgvW
#include <stdlib.h>    // __argc, __wargv

namespace platform = wizard::platform;
using wizard::CommandParam;
using wizard::WizardApp;

namespace {

// The parameters after the program name. __wargv is filled by the C runtime of a Unicode program;
// should it be missing, the shell's splitter gives the same result for everything but rare quoting.
std::vector<CommandParam> commandParams()
{
    if (__wargv) return platform::commandParamsFromWide(__argc, __wargv);
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (!argv) return {};
    std::vector<CommandParam> params = platform::commandParamsFromWide(argc, argv);
    ::LocalFree(argv);
    return params;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR commandLine, int show)
{
    (void)previous;
    (void)commandLine;  // taken from __wargv, already split
    (void)show;         // the dialog template decides how it is shown

    // Themed controls (the manifest asks for common controls 6) need the library loaded before the
    // first dialog is created.
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);

    const std::vector<CommandParam> params = commandParams();
    platform::Win32Dialog dialog(instance);
    // The dialog has no messages of its own; the levels list is where it says that one file was
    // named twice, and so gets only the scene.
    wizard::WizardCommandLine paths;
    wizard::ParseCommandLine(params, paths);
    if (fileio::sameFile(paths.m_strScenePath, paths.m_strParamPath)) dialog.noteSameFile(paths.m_strScenePath);
    platform::Win32Registry registry;
    WizardApp app(dialog, registry);
    (void)app.InitInstance(params);  // the report is for a front end that speaks; this one is silent
    return 0;
}

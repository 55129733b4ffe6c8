// PosixCommandLine.cpp - the wizard's parameters from argv (see PosixCommandLine.h).
#include "platform/posix/PosixCommandLine.h"

#include <filesystem>  // equivalent, weakly_canonical
#include <system_error>

namespace platform {

const char kUsageText[] =
    "Usage: skipfloor-wizard [SCENE.cws [PARAMS.prm]]\n"
    "Prepares a split-level house. Shows the thirteen dimensions on the console (from PARAMS.prm when it\n"
    "holds saved values, otherwise the defaults); after \"ok\" writes the scene to SCENE.cws (zendel.cws in\n"
    "the working directory when no path is given), the host application's defaults to\n"
    "${XDG_CONFIG_HOME:-$HOME/.config}/skipfloor-wizard/registry.reg, and the dimensions to PARAMS.prm.\n"
    "Console commands, one a line: \"N TEXT\" sets row N, \"ok\" confirms, \"cancel\" or the end of input\n"
    "quits without writing anything.\n"
    "Options: --help, --version. Other parameters that begin with '-' are ignored; a third path is ignored.\n";

std::vector<CommandParam> commandParamsFromArgv(int argc, const char* const* argv)
{
    std::vector<CommandParam> params;
    for (int i = 1; i < argc; ++i) {
        std::string_view text(argv[i] ? argv[i] : "");
        CommandParam param;
        param.isFlag = !text.empty() && text.front() == '-';
        param.text = std::string(param.isFlag ? text.substr(1) : text);
        params.push_back(std::move(param));
    }
    return params;
}

EarlyExit earlyExitFromArgv(int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        std::string_view text(argv[i] ? argv[i] : "");
        if (text == "--help") return EarlyExit::Help;
        if (text == "--version") return EarlyExit::Version;
    }
    return EarlyExit::None;
}

bool namesSameFile(const std::string& a, const std::string& b)
{
    if (a.empty() || b.empty()) return false;
    std::error_code error;
    if (std::filesystem::equivalent(a, b, error)) return true;
    // Not both there yet: compare where they would be made. weakly_canonical follows the links of the
    // part that exists and tidies the rest ("d/../a.cws").
    std::filesystem::path left = std::filesystem::weakly_canonical(std::filesystem::absolute(a, error), error);
    if (error) return false;
    std::filesystem::path right = std::filesystem::weakly_canonical(std::filesystem::absolute(b, error), error);
    return !error && left == right;
}

std::string startWarnings(const std::vector<CommandParam>& params)
{
    WizardCommandLine commandLine;
    ParseCommandLine(params, commandLine);
    std::string warnings;
    if (namesSameFile(commandLine.m_strScenePath, commandLine.m_strParamPath)) {
        warnings += "skipfloor-wizard: warning: " + commandLine.m_strScenePath + " is both the scene file and the "
                    "parameter file: OK writes the scene there, then replaces it with the parameters\n";
    }
    return warnings;
}

}  // namespace platform

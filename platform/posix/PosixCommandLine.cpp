// PosixCommandLine.cpp - the wizard's parameters from argv (see PosixCommandLine.h).
#include "platform/posix/PosixCommandLine.h"

#include "text/Messages.h"

namespace wizard::platform {

const char kUsageText[] = N_(
    "Usage: skipfloor-wizard [SCENE.cws [PARAMS.prm]]\n"
    "Prepares a split-level house for the 3D house-design application.\n"
    "\n"
    "Shows the thirteen dimensions on the console (from PARAMS.prm when it holds saved values, otherwise\n"
    "the defaults). After \"ok\" it writes the scene to SCENE.cws (zendel.cws in the working directory\n"
    "when no path is given), the host application's defaults to\n"
    "${XDG_CONFIG_HOME:-$HOME/.config}/skipfloor-wizard/registry.reg, and the dimensions to PARAMS.prm,\n"
    "and says on standard error what it wrote.\n"
    "\n"
    "Console commands, one a line: \"N TEXT\" sets row N, \"ok\" confirms, \"levels\" shows the heights,\n"
    "\"show\" the form, \"help\" all commands; \"cancel\", \"quit\" or the end of input quit without writing.\n"
    "\n"
    "Options:\n"
    "  --help      print this text and end\n"
    "  --version   print the version and end\n"
    "Other parameters that begin with a single '-' are ignored; a third path is ignored.\n"
    "\n"
    "Exit status:\n"
    "  0  OK wrote everything\n"
    "  1  cancelled, or the input ended: nothing written\n"
    "  2  wrong usage (an unknown -- option)\n"
    "  3  OK ran, but a file could not be written or a registry value was not set\n");

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

std::string unknownLongOption(int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        std::string_view text(argv[i] ? argv[i] : "");
        if (text.size() > 2 && text.substr(0, 2) == "--" && text != "--help" && text != "--version")
            return std::string(text);
    }
    return std::string();
}

}  // namespace wizard::platform

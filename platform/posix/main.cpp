// main.cpp - the wizard on POSIX systems: a console form, a REGEDIT4 file as the registry.
//
// POSIX layer. Everything the wizard does happens in WizardApp::InitInstance; main provides the
// platform pieces and the parameters from argv, and says what the run did (ConsoleReport.h).
#include "app/WizardApp.h"
#include "text/Messages.h"
#include "platform/posix/ConsoleDialog.h"
#include "platform/posix/ConsoleReport.h"
#include "platform/posix/EditLineReader.h"
#include "platform/posix/PosixCommandLine.h"
#include "platform/posix/RegFileRegistry.h"

#include <cwscene/Version.h>

#include <unistd.h>  // isatty

#include <clocale>
#include <cstdio>  // fflush, ferror
#include <iostream>
#include <memory>

namespace platform = wizard::platform;
using wizard::CommandParam;
using wizard::WizardApp;

namespace {

// A terminal gets a prompt and line editing; anything else is read as it comes, without a prompt (and
// so is a terminal where libedit cannot be loaded).
std::unique_ptr<platform::LineReader> commandLines()
{
    if (::isatty(STDIN_FILENO)) {
        std::setlocale(LC_CTYPE, "");  // libedit edits and shows the terminal's multibyte (UTF-8) characters
        if (std::unique_ptr<platform::LineReader> editing = platform::editLineReader(std::cout)) return editing;
    }
    return std::make_unique<platform::StreamLineReader>(std::cin);
}

}  // namespace

int main(int argc, char** argv)
{
    messages::initialise(argv[0]);
    switch (platform::earlyExitFromArgv(argc, argv)) {
    case platform::EarlyExit::Help:
        std::cout << _(platform::kUsageText);
        return platform::kExitWritten;
    case platform::EarlyExit::Version:
        std::cout << "skipfloor-wizard " CWSCENE_VERSION "\n";
        return platform::kExitWritten;
    case platform::EarlyExit::None:
        break;
    }
    const std::string unknown = platform::unknownLongOption(argc, argv);
    if (!unknown.empty()) {
        std::cerr << "skipfloor-wizard: " << messages::filledIn(_("unknown option %s"), unknown) << '\n'
                  << _("Try 'skipfloor-wizard --help'.") << '\n';
        return platform::kExitUsage;
    }

    const std::vector<CommandParam> params = platform::commandParamsFromArgv(argc, argv);
    std::cerr << platform::startWarnings(params);

    const std::unique_ptr<platform::LineReader> lines = commandLines();
    platform::ConsoleDialog dialog(*lines, std::cout, !platform::japaneseLocale());
    platform::RegFileRegistry registry(platform::defaultRegistryPath());
    WizardApp app(dialog, registry);
    const wizard::RunReport run = app.InitInstance(params);
    if (!run.confirmed) std::cerr << "skipfloor-wizard: " << _("cancelled: nothing was written") << '\n';
    std::cerr << platform::resultLines(run, registry.storePath());
    // What the console said is part of the run's result: a script reading it (output sent to a full
    // disk, a closed pipe) must not take a run it could not follow for one that went as told. The
    // files are complete either way.
    std::cout.flush();
    const bool said = std::fflush(stdout) == 0 && !std::ferror(stdout) && std::cout && std::cerr;
    if (!said) std::cerr << "skipfloor-wizard: " << _("the console's output could not be written in full") << '\n';
    return platform::exitStatus(run, said);
}

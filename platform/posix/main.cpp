// main.cpp - the wizard on POSIX systems: a console form, a REGEDIT4 file as the registry.
//
// POSIX layer. Everything the wizard does happens in WizardApp::InitInstance; main provides the
// platform pieces and the parameters from argv, and says what the run did (ConsoleReport.h).
#include "app/WizardApp.h"
#include "platform/posix/ConsoleDialog.h"
#include "platform/posix/ConsoleReport.h"
#include "platform/posix/PosixCommandLine.h"
#include "platform/posix/RegFileRegistry.h"

#include <cwscene/Version.h>

#include <iostream>


int main(int argc, char** argv)
{
    switch (platform::earlyExitFromArgv(argc, argv)) {
    case platform::EarlyExit::Help:
        std::cout << platform::kUsageText;
        return platform::kExitWritten;
    case platform::EarlyExit::Version:
        std::cout << "skipfloor-wizard " CWSCENE_VERSION "\n";
        return platform::kExitWritten;
    case platform::EarlyExit::None:
        break;
    }
    const std::string unknown = platform::unknownLongOption(argc, argv);
    if (!unknown.empty()) {
        std::cerr << "skipfloor-wizard: unknown option " << unknown << "\nTry 'skipfloor-wizard --help'.\n";
        return platform::kExitUsage;
    }

    const std::vector<CommandParam> params = platform::commandParamsFromArgv(argc, argv);
    std::cerr << platform::startWarnings(params);

    platform::ConsoleDialog dialog(std::cin, std::cout, !platform::japaneseLocale());
    platform::RegFileRegistry registry(platform::defaultRegistryPath());
    WizardApp app(dialog, registry);
    app.InitInstance(params);  // 0: the wizard's own result says nothing; the report does
    std::cerr << platform::resultLines(app.lastRun(), registry);
    return platform::exitStatus(app.lastRun(), registry);
}

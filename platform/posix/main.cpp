// main.cpp - the wizard on POSIX systems: a console form, a REGEDIT4 file as the registry.
//
// POSIX layer. Everything the wizard does happens in WizardApp::InitInstance; main only provides the
// platform pieces and the parameters from argv.
#include "app/WizardApp.h"
#include "platform/posix/ConsoleDialog.h"
#include "platform/posix/PosixCommandLine.h"
#include "platform/posix/RegFileRegistry.h"

#include <iostream>

#ifndef SKIPFLOOR_VERSION
#define SKIPFLOOR_VERSION "unknown"
#endif

int main(int argc, char** argv)
{
    switch (platform::earlyExitFromArgv(argc, argv)) {
    case platform::EarlyExit::Help:
        std::cout << platform::kUsageText;
        return 0;
    case platform::EarlyExit::Version:
        std::cout << "skipfloor-wizard " SKIPFLOOR_VERSION "\n";
        return 0;
    case platform::EarlyExit::None:
        break;
    }

    const std::vector<CommandParam> params = platform::commandParamsFromArgv(argc, argv);
    std::cerr << platform::startWarnings(params);

    platform::ConsoleDialog dialog(std::cin, std::cout);
    platform::RegFileRegistry registry(platform::defaultRegistryPath());
    WizardApp app(dialog, registry);
    return app.InitInstance(params);
}

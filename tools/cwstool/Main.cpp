// Main.cpp - cwstool's entry: the arguments to Commands.cpp, its exit status to the shell. Results go
// to standard output through CheckedOutput, so that one that could not be written (a full disk, a
// closed terminal) is said, with the system's reason, and ends with exit status 1.
#include "text/Messages.h"
#include "tools/cwstool/output/CheckedOutput.h"
#include "tools/cwstool/Commands.h"

#include <cwscene/FileAccess.h>   // errorText
#include <cwscene/Translation.h>  // setTranslator

#include <iostream>

int main(int argc, char** argv)
{
    messages::initialise(argv[0]);
    cwscene::setTranslator(&messages::translate);  // the reader's refusals in the same language
    std::vector<std::string> args(argv + 1, argv + argc);
    cwstool::CheckedOutput output(stdout);
    std::ostream out(&output);
    int status = cwstool::run(args, out, std::cerr);
    if (!output.finish()) {
        std::cerr << "cwstool: " << messages::filledIn(_("cannot write to standard output: %s"), fileio::errorText(output.error()))
                  << "\n";
        if (status == cwstool::kExitOk) status = cwstool::kExitFailure;
    }
    return status;
}

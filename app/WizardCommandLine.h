// WizardCommandLine.h - the two optional paths of the command line and what was found about them.
//
// Shell layer, portable: no platform headers. The platform layer splits the command line into
// parameters (by its own rules: argv on POSIX, the C runtime's quoting on Windows), marks flags, and
// hands them to ParseCommandLine, which calls ParseParam once per parameter with the is-last flag on
// the last one. What it finds lands in the builder's plain record (builder/CommandLineRecord.h),
// which BuildScene is called with.
#pragma once

#include "builder/CommandLineRecord.h"

#include <string>
#include <vector>

namespace wizard {

// One parameter after the program name. A flag's text is given without its leading '-' (or '/').
struct CommandParam {
    std::string text;  // UTF-8
    bool isFlag = false;
};

// The record and the three steps that fill it.
class WizardCommandLine : public CommandLineRecord {
public:
    // Per-parameter hook: a non-flag goes to AssignPath, then CheckParamFile runs for every parameter.
    void ParseParam(const char* param, bool isFlag, bool isLast);
    // Stores a non-flag parameter in the first empty path field; a third path is dropped.
    void AssignPath(const char* param);
    // At the last parameter: clears m_bNoPath when a path was seen and probes the parameter file.
    void CheckParamFile(bool isLast);
};

// Feeds every parameter to commandLine.ParseParam, in order, the last one with isLast true.
void ParseCommandLine(const std::vector<CommandParam>& params, WizardCommandLine& commandLine);

}  // namespace wizard

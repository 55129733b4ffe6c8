// CommandLineRecord.h - the two optional paths of the command line and what was found about them, as
// the builder receives them.
//
// Builder layer, portable: no platform headers. A plain record: the shell's WizardCommandLine
// (app/WizardCommandLine.h) fills it while it parses the command line; BuildScene reads where the
// scene goes, and the parameter file's functions (builder/ParamFile.h) read the parameter path.
#pragma once

#include <string>

namespace wizard {

struct CommandLineRecord {
    int m_bNoPath = 1;              // stays 1 while no path was given; cleared at the last parameter otherwise
    int m_bParamFileExists = 0;     // 1 when m_strParamPath could be opened for reading at parse time
    std::string m_strScenePath;     // first non-flag parameter: where the scene file goes (UTF-8)
    std::string m_strParamPath;     // second non-flag parameter: the parameter file (UTF-8)
};

}  // namespace wizard

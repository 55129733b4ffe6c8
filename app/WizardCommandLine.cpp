// WizardCommandLine.cpp - the two optional paths of the command line (see WizardCommandLine.h).
#include "app/WizardCommandLine.h"

#include <cwscene/FileAccess.h>

namespace wizard {

void WizardCommandLine::ParseParam(const char* param, bool isFlag, bool isLast)
{
    if (!isFlag) AssignPath(param);
    CheckParamFile(isLast);
}

void WizardCommandLine::AssignPath(const char* param)
{
    // Emptiness is tested by length: an empty parameter leaves its field empty, and the next path
    // lands in the same field.
    if (m_strScenePath.empty())
        m_strScenePath = param;
    else if (m_strParamPath.empty())
        m_strParamPath = param;
    // A third and every later path is dropped.
}

void WizardCommandLine::CheckParamFile(bool isLast)
{
    if (!isLast) return;
    if (m_strScenePath.empty() && m_strParamPath.empty()) return;
    m_bNoPath = 0;
    // A probe only: the file is closed at once and read again by LoadParams. A path that cannot be
    // opened (the empty path of a single-path command line included) changes nothing more, and
    // neither does a FIFO or a device: only a regular file is read, so the probe never waits.
    if (fileio::isReadable(m_strParamPath)) m_bParamFileExists = 1;
}

void ParseCommandLine(const std::vector<CommandParam>& params, WizardCommandLine& commandLine)
{
    for (std::size_t i = 0; i < params.size(); ++i)
        commandLine.ParseParam(params[i].text.c_str(), params[i].isFlag, i + 1 == params.size());
}

}  // namespace wizard

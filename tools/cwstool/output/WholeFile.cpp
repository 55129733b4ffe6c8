// WholeFile.cpp - an export's bytes written completely or not at all (see WholeFile.h).
#include "tools/cwstool/output/WholeFile.h"

#include "tools/cwstool/output/Problems.h"

#include <cwscene/FileAccess.h>  // writeFile

namespace cwstool {

std::string writeWholeFile(const std::string& utf8Path, std::string_view bytes)
{
    const fileio::WriteOutcome outcome = fileio::writeFile(utf8Path, bytes);
    return outcome.written ? "" : cannotWrite(outcome.error);
}

}  // namespace cwstool

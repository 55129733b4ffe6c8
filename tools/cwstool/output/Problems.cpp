// Problems.cpp - cwstool's sentences about files (see Problems.h).
#include "tools/cwstool/output/Problems.h"

#include "text/Messages.h"
#include <cwscene/FileAccess.h>  // errorText

#include <cerrno>

namespace cwstool {

namespace {

std::string reason(int error) { return fileio::errorText(error != 0 ? error : EIO); }

}  // namespace

std::string about(const std::string& path) { return "cwstool: " + path + ": "; }

std::string cannotOpen(int error) { return messages::filledIn(_("cannot open the file: %s"), reason(error)); }
std::string cannotRead(int error) { return messages::filledIn(_("cannot read the file: %s"), reason(error)); }
std::string cannotWrite(int error) { return messages::filledIn(_("cannot write the file: %s"), reason(error)); }

std::string defaultedNamesWarning(long count)
{
    return messages::filledIn(P_("warning: %s unnamed object was given the library's default name",
                                 "warning: %s unnamed objects were given the library's default names", count),
                              std::to_string(count));
}

}  // namespace cwstool

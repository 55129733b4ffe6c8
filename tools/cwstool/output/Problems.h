// Problems.h - the sentences cwstool says about files, in the user's language (text/Messages.h),
// so that each is written once.
// Tool layer.
#pragma once

#include <string>

namespace cwstool {

// The start of every message about a file: "cwstool: PATH: ".
std::string about(const std::string& path);

// "cannot open the file: REASON", "cannot read the file: REASON", "cannot write the file: REASON",
// with the system's text for the error (EIO when it is 0).
std::string cannotOpen(int error);
std::string cannotRead(int error);
std::string cannotWrite(int error);

// "warning: N unnamed objects were given the library's default names"
std::string defaultedNamesWarning(long count);

}  // namespace cwstool

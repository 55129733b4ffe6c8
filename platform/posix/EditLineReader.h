// EditLineReader.h - command lines from a terminal, with a prompt, line editing and a history of the
// session's lines, through libedit (BSD licence).
//
// POSIX layer. main uses it when standard input is a terminal; piped input goes through
// StreamLineReader and sees no prompt. libedit is loaded when a terminal asks for it, not linked: a
// run from a script, the common case, then starts without it and its three libraries (every symbol
// the program binds at start is looked up in fewer of them).
#pragma once

#include "platform/posix/LineReader.h"

#include <iosfwd>
#include <memory>

namespace wizard::platform {

// A reader of terminal lines through libedit, or null when libedit cannot be loaded (the caller then
// reads the terminal as a stream). `out` is flushed before each prompt, so that what the dialog
// printed comes first.
std::unique_ptr<LineReader> editLineReader(std::ostream& out);

}  // namespace wizard::platform

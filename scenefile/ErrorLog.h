// ErrorLog.h - the error log "ScriptErr.log": one line holding the whole error chain after a failed
// save of a scene that asked for it.
//
// Portable: standard C++ only. Part of cwscene. The log is replaced atomically (fileio::OutputFile),
// so a reader never sees half a line. No earlier log is ever deleted: a successful save leaves it, the
// next failed save with logging replaces it.
#pragma once

namespace scenefile {

inline constexpr char kErrorLogName[] = "ScriptErr.log";  // in the working directory

// When the log can be created: adds `caughtText` to the error chain and writes the chain and CR LF as
// the log's only line. When it cannot, neither happens. Reports nothing.
void writeErrorLog(const char* caughtText);

}  // namespace scenefile

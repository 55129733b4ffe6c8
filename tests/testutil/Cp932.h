// Cp932.h - checks a header of Shift-JIS constants against the readable text in their comments.
//
// The comments are converted to CP932 (code page 932) with glibc's iconv on POSIX and the system's own
// code page tables on Windows, so a mistyped escape (or "\x90F" swallowing the F) shows up.
#pragma once

#include <map>
#include <string>

namespace testutil {

// The CP932 bytes of a UTF-8 text, or a "<...>" note when it cannot be converted.
std::string toCp932(const std::string& utf8);

// Reads `relativePath` from the source tree (SKIPFLOOR_SOURCE_DIR) and checks every declaration
// `char kName[] = ...;  // text` (and every entry "..., // NN text" of an array, named "kArray[NN]")
// against `constants`, which maps each constant's name to its bytes. Reports a test failure for a
// mismatch, an unknown constant, or a constant without its line. Skips when the source tree is not set.
void expectConstantsMatchComments(const std::string& relativePath, const std::map<std::string, std::string>& constants,
                                  const std::string& arrayName = "");

}  // namespace testutil

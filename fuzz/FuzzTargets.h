// FuzzTargets.h - the fuzz targets of the project, as plain functions.
//
// Each function takes one input and returns 0; a fault is a crash, a sanitizer report or an abort()
// from a property check. fuzz/EntryPoint.cpp turns one of them into a libFuzzer program, and the
// normal test run (tests/tools/FuzzRegressionTest.cpp) replays the seed corpora and every input kept
// under fuzz/regressions/ through the same functions.
#pragma once

#include <cstddef>  // size_t
#include <cstdint>  // uint8_t

namespace fuzz {

// The scene file reader, both encodings, and a re-write of every scene it accepts.
int sceneReader(const std::uint8_t* data, std::size_t size);

// The dialog's number parsing, and the number formatters on whatever it accepts.
int numberText(const std::uint8_t* data, std::size_t size);

// The 120-byte parameter file: decoding any bytes, and encoding what was decoded.
int paramFile(const std::uint8_t* data, std::size_t size);

// The POSIX registry stand-in's REGEDIT4 parser, its writer, and a value set between them.
int registryStore(const std::uint8_t* data, std::size_t size);

// Property check that survives NDEBUG: aborts with a line on stderr, so libFuzzer keeps the input.
[[noreturn]] void fail(const char* what);
inline void require(bool condition, const char* what)
{
    if (!condition) fail(what);
}

}  // namespace fuzz

/// \file
/// CWSCENE_API marks what the scene library exports when it is a shared library.
///
/// A static cwscene (the default) exports nothing by name: CWSCENE_API is empty. A shared one
/// (BUILD_SHARED_LIBS=ON) is compiled with every symbol hidden but those marked here; its CMake
/// package and its pkg-config file define CWSCENE_SHARED for the programs that use it.
#pragma once

#if defined(CWSCENE_SHARED)
#  if defined(_WIN32)
#    if defined(CWSCENE_BUILDING)
#      define CWSCENE_API __declspec(dllexport)
#    else
#      define CWSCENE_API __declspec(dllimport)
#    endif
#  else
#    define CWSCENE_API __attribute__((visibility("default")))
#  endif
#else
/// The export attribute of the library's public classes and functions: empty for a static library;
/// for a shared one (CWSCENE_SHARED) `__declspec(dllexport)` or `dllimport` on Windows, default
/// visibility elsewhere.
#  define CWSCENE_API
#endif

# mingw-x86_64.cmake - CMake toolchain for the 64-bit Windows build, cross-compiled with mingw-w64.
#
#   cmake --preset win64    (CMakePresets.json: build-win64/ with this file as its toolchain)
#
# The program this gives, build-win64/skipfloor-wizard.exe, is a PE32+ GUI program for x86-64. As in
# the i686 build (cmake/mingw-i686.cmake), the posix thread model of Debian's mingw-w64 gives the
# complete C++17 library, and everything is linked statically: no compiler DLL beside the program.
# Test programs run under Wine's 64-bit loader, which works on every x86-64 kernel, also on those
# that execute no 32-bit programs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SKIPFLOOR_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${SKIPFLOOR_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SKIPFLOOR_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${SKIPFLOOR_MINGW_PREFIX}-windres)

# Look for libraries and headers of the target only, programs of the host only.
set(CMAKE_FIND_ROOT_PATH /usr/${SKIPFLOOR_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# x86-64 does its double arithmetic in SSE2 registers anyway: the files match the Linux build's.

# No libgcc, libstdc++ or winpthread DLL beside the program.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# CTest starts the Windows test programs through Wine's 64-bit loader, named by its path: Debian's
# "wine" wrapper takes the 32-bit loader whenever wine32 is installed, even where the kernel cannot
# run it. WINELOADER tells Wine which loader starts the processes a program starts in turn.
set(SKIPFLOOR_WINE_LOADER /usr/lib/wine/wine64)
if(EXISTS ${SKIPFLOOR_WINE_LOADER})
  set(SKIPFLOOR_WINE ${SKIPFLOOR_WINE_LOADER})
  set(CMAKE_CROSSCOMPILING_EMULATOR env WINELOADER=${SKIPFLOOR_WINE_LOADER} ${SKIPFLOOR_WINE_LOADER})
endif()

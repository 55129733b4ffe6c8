# mingw-i686.cmake - CMake toolchain for the 32-bit Windows build, cross-compiled with mingw-w64.
#
#   cmake --preset win32    (CMakePresets.json: build-win32/ with this file as its toolchain)
#
# The posix thread model of Debian's mingw-w64 is used: its libstdc++ has the complete C++17 library
# (std::thread, std::filesystem, floating-point to_chars/from_chars). Everything is linked statically,
# so skipfloor-wizard.exe and the test programs need no compiler DLL. Test programs run under Wine
# through CMAKE_CROSSCOMPILING_EMULATOR.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(SKIPFLOOR_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER ${SKIPFLOOR_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SKIPFLOOR_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${SKIPFLOOR_MINGW_PREFIX}-windres)

# Look for libraries and headers of the target only, programs of the host only.
set(CMAKE_FIND_ROOT_PATH /usr/${SKIPFLOOR_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Double arithmetic in SSE2 registers, rounded to 64 bits after every operation as on x86-64. The
# i686 default is the x87 unit, which keeps intermediates in 80 bits (GCC 12 cannot make C++ round
# them), so "x * 10 as a double" would differ from the Linux build and so would the files written.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")

# No libgcc, libstdc++ or winpthread DLL beside the program.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# CTest starts the Windows test programs through Wine's 32-bit loader, named by its path (Debian's
# "wine" wrapper chooses a loader by what is installed, not by what the program needs). WINELOADER
# tells Wine which loader starts the processes a program starts in turn. The loader runs only where
# the kernel executes 32-bit programs; scripts/test-windows.sh probes that before it runs these tests.
set(SKIPFLOOR_WINE_LOADER /usr/lib/wine/wine)
if(EXISTS ${SKIPFLOOR_WINE_LOADER})
  set(SKIPFLOOR_WINE ${SKIPFLOOR_WINE_LOADER})
  set(CMAKE_CROSSCOMPILING_EMULATOR env WINELOADER=${SKIPFLOOR_WINE_LOADER} ${SKIPFLOOR_WINE_LOADER})
endif()

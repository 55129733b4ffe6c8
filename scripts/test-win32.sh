#!/usr/bin/env bash
# test-win32.sh - builds the Windows wizard and its tests in build-win32/ (mingw-w64, i686, static) and
# runs them under Wine:
#   - the portable unit tests and the Win32 layer's own tests, each program started through Wine
#     (CMAKE_CROSSCOMPILING_EMULATOR), in a fresh Wine prefix of their own;
#   - the end-to-end suite (tests/win32/wizard-e2e.sh), which starts its own X server and prefix and
#     drives skipfloor-wizard.exe with xdotool; its screenshots land in build-win32/artifacts/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh all
jobs=$(nproc)

echo "== Windows build (mingw-w64 i686) and its tests under Wine"
cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DSKIPFLOOR_WERROR=ON \
      -DSKIPFLOOR_BENCH=OFF -DSKIPFLOOR_FUZZ=OFF >/dev/null
cmake --build build-win32 -j"$jobs"

# A prefix of their own for the unit tests, removed at the end whatever happens. No X display: the
# unit tests open no window, and Wine must not show its set-up dialogs on the caller's screen.
prefix_dir=$(mktemp -d "${TMPDIR:-/tmp}/skipfloor-wine.XXXXXX")
export WINEPREFIX=$prefix_dir/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=ja_JP.UTF-8
unset DISPLAY
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  timeout 20 wineserver -w >/dev/null 2>&1 || true
  rm -rf "$prefix_dir"
}
trap cleanup EXIT
timeout 180 wineboot -i >/dev/null 2>&1

ctest --test-dir build-win32 --output-on-failure -j"$jobs"

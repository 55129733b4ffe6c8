#!/usr/bin/env bash
# test-windows.sh - builds the Windows wizard and its tests for x86-64 (build-win64/) and i686
# (build-win32/) with mingw-w64, runs them under Wine, and makes the downloadable ZIPs, through the
# presets win64 and win32 of CMakePresets.json (configure, build, test; this script adds the Wine
# prefix):
#   - the portable unit tests and the Win32 layer's own tests, each program started through Wine
#     (CMAKE_CROSSCOMPILING_EMULATOR), one at a time, in a fresh Wine prefix of their own;
#   - the end-to-end suite (tests/win32/wizard-e2e.sh), which starts its own X server and prefix and
#     drives skipfloor-wizard.exe with xdotool; its screenshots land in build-win*/artifacts/;
#   - scripts/package-windows.sh (CPack), then a look into each ZIP, named by the build folder's
#     zip-name.txt.
# The x86-64 suites run on every machine, with Wine's 64-bit loader. The i686 program is always built,
# but its suites need Wine's 32-bit loader, which runs only where the kernel executes 32-bit programs:
# scripts/can-run-i386.sh finds out by running one, and where it cannot, one line says that the i686
# tests were skipped and why. SKIPFLOOR_ASSUME_NO_I386=1 takes that path on any machine (for checking
# it; see can-run-i386.sh). The loaders are called by their paths, never through Debian's "wine"
# wrapper, which takes the 32-bit loader whenever wine32 is installed, even where it cannot run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/steps.sh
step "install-deps" scripts/install-deps.sh all
jobs=$(nproc)

readonly LOADER_64=/usr/lib/wine/wine64 LOADER_32=/usr/lib/wine/wine

# build PRESET ARCH: configures and builds one Windows tree, build-PRESET/.
build() {
  echo "== Windows build ($2, mingw-w64) in build-$1"
  quiet_step "configure build-$1" cmake --preset "$1"
  step "build build-$1" cmake --build --preset "$1" -j"$jobs"
}

# run_tests PRESET LOADER: every test of build-PRESET/ under Wine, in a prefix of their own that is
# removed at the end whatever happens. No X display for the prefix: the unit tests open no window,
# and Wine must not show its set-up dialogs on the caller's screen (the end-to-end suite starts its
# own X server).
run_tests() (
  local preset=$1 loader=$2 prefix_dir
  echo "== Windows tests of build-$preset under Wine ($loader)"
  prefix_dir=$(mktemp -d "${TMPDIR:-/tmp}/skipfloor-wine.XXXXXX")
  export WINEPREFIX=$prefix_dir/prefix WINELOADER=$loader WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
         LANG=ja_JP.UTF-8
  unset DISPLAY
  cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    timeout 20 wineserver -w >/dev/null 2>&1 || true
    rm -rf "$prefix_dir"
  }
  trap cleanup EXIT
  quiet_step "wineboot ($loader)" timeout 180 "$loader" wineboot -i
  # One test program at a time (the test preset says -j1): Wine's tmpfile() names its file after
  # the tick count and opens it again after a delete, so two programs that start together can take
  # the same name, and the second then gets no file (seen once, as "tmpfile failed" in scenefile_tests
  # next to the reader's tests). The programs take about a second each; the end-to-end suite runs
  # alone anyway.
  step "tests of build-$preset" ctest --preset "$preset"
)

# check_zip ZIP EXE_KIND: the ZIP holds one folder with the program, the read-me and the licence,
# and the program is of the kind `file` should report.
check_zip() (
  local zip=$1 kind=$2 name listing dir
  name=$(basename "$zip" .zip)
  listing=$(cmake -E tar tf "$zip" | sort | tr '\n' ' ')
  local expected="$name/ $name/LICENSE.txt $name/README.txt $name/skipfloor-wizard.exe "
  [ "$listing" = "$expected" ] || { echo "package: $zip holds '$listing', expected '$expected'" >&2; return 1; }
  dir=$(mktemp -d "${TMPDIR:-/tmp}/skipfloor-zip.XXXXXX")
  trap 'rm -rf "$dir"' EXIT
  (cd "$dir" && cmake -E tar xf "$zip")
  # (No "| grep -q" here: under pipefail, grep leaving early makes the writer's SIGPIPE a failure.)
  local found
  found=$(file -b "$dir/$name/skipfloor-wizard.exe")
  [[ $found == "$kind"* ]] || { echo "package: the program is not '$kind': $found" >&2; return 1; }
  local value
  for value in 1stFloorDefaultHeight FloorDefaultHeight HouseSizeX HouseSizeY LandSizeX LandSizeY \
               WallDefaultHeight WallDefaultThickness スキップフロア準備ウィザード 'MIT License'; do
    grep -q -- "$value" "$dir/$name/README.txt" "$dir/$name/LICENSE.txt" ||
      { echo "package: '$value' is in neither README.txt nor LICENSE.txt of $zip" >&2; return 1; }
  done
  echo "    ok: $zip ($(stat -c %s "$zip") bytes)"
)

build win64 x86-64
run_tests win64 "$LOADER_64"

build win32 i686
if reason=$(scripts/can-run-i386.sh); then
  run_tests win32 "$LOADER_32"
else
  echo "== i686 tests skipped: $reason (the x86-64 tests above ran)"
fi

echo "== Windows packages"
step "package-windows" scripts/package-windows.sh win64 win32
zip64=$(cat build-win64/zip-name.txt)
zip32=$(cat build-win32/zip-name.txt)
step "check the x86-64 ZIP" check_zip "$root/dist/$zip64" "PE32+ executable (GUI) x86-64"
step "check the i686 ZIP" check_zip "$root/dist/$zip32" "PE32 executable (GUI) Intel 80386"

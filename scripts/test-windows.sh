#!/usr/bin/env bash
# test-windows.sh - builds the Windows wizard and its tests for x86-64 (build-win64/) and i686
# (build-win32/) with mingw-w64, runs them under Wine, and makes the downloadable ZIPs, through the
# presets win64 and win32 of CMakePresets.json (configure, build, test, package):
#   - the portable unit tests and the Win32 layer's own tests, each program started through Wine
#     (CMAKE_CROSSCOMPILING_EMULATOR), one at a time, in a fresh Wine prefix of their own (the CTest
#     fixture wine_prefix: `ctest --preset win64` alone does the same);
#   - the end-to-end suite (tests/win32/wizard-e2e.sh), which starts its own X server and prefix and
#     drives skipfloor-wizard.exe with xdotool; its screenshots land in build-win*/artifacts/;
#   - scripts/package-windows.sh (CPack), then a look into each ZIP, named by the build folder's
#     zip-name.txt.
# The x86-64 suites run on every machine, with Wine's 64-bit loader. The i686 program is always built,
# but its suites need Wine's 32-bit loader, which runs only where the kernel executes 32-bit programs:
# scripts/can-run-i386.sh finds out by running one, and where it cannot, one line says that the i686
# tests were skipped and why. SKIPFLOOR_ASSUME_NO_I386=1 takes that path on any machine (for checking
# it; see can-run-i386.sh). The loaders are called by their paths, never through Debian's "wine"
# wrapper, which takes the 32-bit loader whenever wine32 is installed, even where it cannot run (the
# toolchain files name them).
# The packages are checked first (scripts/install-deps.sh all), unless scripts/test-all.sh did that
# already (SKIPFLOOR_DEPS_CHECKED=1).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/steps.sh
[ "${SKIPFLOOR_DEPS_CHECKED:-0}" = 1 ] || step "install-deps" scripts/install-deps.sh all

# build PRESET ARCH: configures and builds one Windows tree, build-PRESET/.
build() {
  echo "== Windows build ($2, mingw-w64) in build-$1"
  # shellcheck disable=SC2046  # fresh_tree prints one word or none
  quiet_step "configure build-$1" cmake --preset "$1" $(fresh_tree "build-$1")
  step "build build-$1" cmake --build --preset "$1"
}

# run_tests PRESET: every test of build-PRESET/ under Wine; the test preset's fixture makes the prefix
# and removes it at the end, whatever happens.
run_tests() {
  echo "== Windows tests of build-$1 under Wine"
  step "tests of build-$1" ctest --preset "$1"
}

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
run_tests win64

build win32 i686
if reason=$(scripts/can-run-i386.sh); then
  run_tests win32
else
  echo "== i686 tests skipped: $reason (the x86-64 tests above ran)"
fi

echo "== Windows packages"
step "package-windows" scripts/package-windows.sh win64 win32
zip64=$(cat build-win64/zip-name.txt)
zip32=$(cat build-win32/zip-name.txt)
step "check the x86-64 ZIP" check_zip "$root/dist/$zip64" "PE32+ executable (GUI) x86-64"
step "check the i686 ZIP" check_zip "$root/dist/$zip32" "PE32 executable (GUI) Intel 80386"

#!/usr/bin/env bash
# test-windows.sh - builds the Windows wizard and its tests for x86-64 (build-win64/) and i686
# (build-win32/) with mingw-w64, runs them under Wine, and makes the downloadable ZIPs:
#   - the portable unit tests and the Win32 layer's own tests, each program started through Wine
#     (CMAKE_CROSSCOMPILING_EMULATOR), in a fresh Wine prefix of their own;
#   - the end-to-end suite (tests/win32/wizard-e2e.sh), which starts its own X server and prefix and
#     drives skipfloor-wizard.exe with xdotool; its screenshots land in build-win*/artifacts/;
#   - scripts/package-windows.sh, then a look into each ZIP.
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

# build ARCH DIR TOOLCHAIN: configures and builds one Windows tree.
build() {
  echo "== Windows build ($1, mingw-w64) in $2"
  quiet_step "configure $2" cmake -S . -B "$2" -DCMAKE_TOOLCHAIN_FILE="$3" -DSKIPFLOOR_WERROR=ON \
    -DSKIPFLOOR_BENCH=OFF -DSKIPFLOOR_FUZZ=OFF
  step "build $2" cmake --build "$2" -j"$jobs"
}

# run_tests DIR LOADER: every test of DIR under Wine, in a prefix of their own that is removed at the
# end whatever happens. No X display for the prefix: the unit tests open no window, and Wine must
# not show its set-up dialogs on the caller's screen (the end-to-end suite starts its own X server).
run_tests() (
  local dir=$1 loader=$2 prefix_dir
  echo "== Windows tests of $dir under Wine ($loader)"
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
  # One test program at a time: Wine's tmpfile() names its file after the tick count and opens it
  # again after a delete, so two programs that start together can take the same name, and the second
  # then gets no file (seen once, as "tmpfile failed" in scenefile_tests next to the reader's tests).
  # The programs take about a second each; the end-to-end suite runs alone anyway.
  step "tests of $dir" ctest --test-dir "$dir" --output-on-failure -j1
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

build x86-64 build-win64 cmake/mingw-x86_64.cmake
run_tests build-win64 "$LOADER_64"

build i686 build-win32 cmake/mingw-i686.cmake
if reason=$(scripts/can-run-i386.sh); then
  run_tests build-win32 "$LOADER_32"
else
  echo "== i686 tests skipped: $reason (the x86-64 tests above ran)"
fi

echo "== Windows packages"
step "package-windows" scripts/package-windows.sh win64 win32
version=$(sed -n 's/^project(skipfloor-wizard VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
step "check the x86-64 ZIP" check_zip "$root/dist/skipfloor-wizard-$version-win64.zip" "PE32+ executable (GUI) x86-64"
step "check the i686 ZIP" check_zip "$root/dist/skipfloor-wizard-$version-win32.zip" "PE32 executable (GUI) Intel 80386"

#!/usr/bin/env bash
# package-windows.sh [win64] [win32] - the downloadable Windows builds, made by CPack (the package
# presets of CMakePresets.json; what goes in is cmake/WindowsZip.cmake):
#   dist/skipfloor-wizard-VERSION-win64.zip   x86-64 program from build-win64/
#   dist/skipfloor-wizard-VERSION-win32.zip   i686 program from build-win32/
# Each ZIP holds one folder, skipfloor-wizard-VERSION-ARCH/, with skipfloor-wizard.exe (stripped),
# README.txt (the Japanese and English read-me of packaging/windows/) and LICENSE.txt (the
# repository's LICENSE); the texts as UTF-8 with a byte-order mark and CR LF line ends. VERSION is the
# project's (CMake's); the ZIP's name is also in the build folder's zip-name.txt. A tree that is not
# configured yet is configured through its preset; the program is brought up to date. Without
# arguments, both. The mingw-w64 compilers come from scripts/install-deps.sh all.
#
# Every time in the ZIP, the files' and the program's own (its PE header's, which strip sets), is
# SOURCE_DATE_EPOCH: that of the last commit unless set already, so the same tree gives the same ZIP.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/steps.sh

export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || date +%s)}

package() {
  local arch=$1 dir=build-$1
  case $arch in
    win64|win32) ;;
    *) echo "package-windows: unknown architecture '$arch' (win64 or win32)" >&2; exit 2 ;;
  esac
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    quiet_step "configure $dir" cmake --preset "$arch"
  fi
  quiet_step "build $dir/skipfloor-wizard.exe" cmake --build --preset "$arch" --target skipfloor-wizard
  quiet_step "cpack $arch" cpack --preset "$arch"
  echo "package-windows: dist/$(cat "$dir/zip-name.txt")"
}

[ $# -gt 0 ] || set -- win64 win32
for arch in "$@"; do package "$arch"; done

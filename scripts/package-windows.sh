#!/usr/bin/env bash
# package-windows.sh [win64] [win32] - the downloadable Windows builds:
#   dist/skipfloor-wizard-VERSION-win64.zip   x86-64 program from build-win64/
#   dist/skipfloor-wizard-VERSION-win32.zip   i686 program from build-win32/
# Each ZIP holds one folder, skipfloor-wizard-VERSION-ARCH/, with skipfloor-wizard.exe, README.txt (the
# Japanese and English read-me of packaging/windows/) and LICENSE.txt (the repository's LICENSE); the
# texts as UTF-8 with a byte-order mark and CR LF line ends, so that every Windows editor shows them.
# VERSION is the project's version (CMakeLists.txt). A tree that is not configured yet is configured;
# the program is brought up to date. Without arguments, both. The mingw-w64 compilers come from
# scripts/install-deps.sh all.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/steps.sh

version=$(sed -n 's/^project(skipfloor-wizard VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "package-windows: no version in CMakeLists.txt" >&2; exit 1; }
# The files' time in the ZIP: that of the last commit, so the same tree gives the same ZIP.
stamp=$(git log -1 --format=%ct 2>/dev/null || date +%s)
mtime=$(date -u -d "@$stamp" '+%Y-%m-%d %H:%M:%S UTC')

# windows_text FILE: UTF-8 with a byte-order mark and CR LF line ends.
windows_text() { printf '\xEF\xBB\xBF'; sed 's/\r$//; s/$/\r/' "$1"; }

package() {
  local arch=$1 dir toolchain prefix
  case $arch in
    win64) dir=build-win64 toolchain=cmake/mingw-x86_64.cmake prefix=x86_64-w64-mingw32 ;;
    win32) dir=build-win32 toolchain=cmake/mingw-i686.cmake prefix=i686-w64-mingw32 ;;
    *) echo "package-windows: unknown architecture '$arch' (win64 or win32)" >&2; exit 2 ;;
  esac
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    quiet_step "configure $dir" cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DSKIPFLOOR_BENCH=OFF \
      -DSKIPFLOOR_FUZZ=OFF
  fi
  quiet_step "build $dir/skipfloor-wizard.exe" cmake --build "$dir" --target skipfloor-wizard -j"$(nproc)"

  local name=skipfloor-wizard-$version-$arch
  local stage=$root/dist/stage
  rm -rf "${stage:?}/$name" "dist/$name.zip"
  mkdir -p "$stage/$name"
  # Without its debug information (the build keeps it): a tenth of the size.
  quiet_step "strip $name" "$prefix-strip" -o "$stage/$name/skipfloor-wizard.exe" "$dir/skipfloor-wizard.exe"
  windows_text packaging/windows/README.txt | sed "s/@VERSION@/$version/g; s/@ARCH@/$arch/g" >"$stage/$name/README.txt"
  windows_text LICENSE >"$stage/$name/LICENSE.txt"
  quiet_step "zip $name" bash -c 'cd "$1" && cmake -E tar cf "$2" --format=zip --mtime="$3" "$4"' _ \
    "$stage" "$root/dist/$name.zip" "$mtime" "$name"
  rm -rf "${stage:?}/$name"
  rmdir "$stage" 2>/dev/null || true
  echo "package-windows: dist/$name.zip"
}

[ $# -gt 0 ] || set -- win64 win32
for arch in "$@"; do package "$arch"; done

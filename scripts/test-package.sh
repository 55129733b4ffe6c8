#!/usr/bin/env bash
# test-package.sh BUILD_DIR [static|shared|windows] - the scene library as other programs get it.
#   static   installs the native build in BUILD_DIR into a temporary prefix and checks what is there;
#            builds examples/ against the installed package with find_package(cwscene) and with
#            pkg-config, runs them and checks their files with cwstool; builds and runs
#            tests/package/PrimitivesClient.cpp, a record writer of one's own, against it; makes sure
#            the wizard's own headers are out of reach
#   shared   does the same with a shared cwscene (the configure preset "shared-library", in a
#            temporary folder; only the library is built), whose exported symbols must suffice
#   windows  the library as a Windows DLL (x86-64, mingw-w64; the preset win64 with
#            BUILD_SHARED_LIBS, only the library built), the examples and PrimitivesClient compiled
#            against it as importing programs (-DCWSCENE_SHARED) and run under Wine's 64-bit loader;
#            their files must be those the same example writes with BUILD_DIR's library
# Without a second argument, static and shared. The native build's CTest runs each as a test of its
# own (package_static, package_shared, package_windows: tests/CMakeLists.txt).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/steps.sh"
build=$(cd "${1:-$root/build}" && pwd)
kinds=${2:-static shared}
work=$(mktemp -d "${TMPDIR:-/tmp}/skipfloor-package.XXXXXX")
trap 'rm -rf "$work"' EXIT

fail() { echo "test-package: $*" >&2; exit 1; }

# check_examples PREFIX NAME: builds and runs both examples, as the package installed them, against
# the package in PREFIX.
check_examples() {
  local prefix=$1 name=$2 out=$work/$2 examples=$1/share/doc/skipfloor-wizard/examples
  mkdir -p "$out"
  [ -f "$examples/CMakeLists.txt" ] || fail "the examples were not installed into $examples"
  quiet_step "configure the examples ($name, find_package)" \
    cmake -S "$examples" -B "$out/cmake" -DCMAKE_PREFIX_PATH="$prefix"
  quiet_step "build the examples ($name, find_package)" cmake --build "$out/cmake"
  export LD_LIBRARY_PATH=$prefix/lib${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}
  step "run build-scene ($name)" "$out/cmake/build-scene" "$out/house"
  step "cwstool check of the binary file ($name)" "$build/cwstool" check "$out/house.cws"
  step "cwstool check of the text file ($name)" "$build/cwstool" check "$out/house-text.cws"
  step "run scene-summary ($name)" "$out/cmake/scene-summary" "$out/house-text.cws" >"$out/summary.txt"
  grep -x '3 frames, 2 shapes, 2 materials, 1 sensors' "$out/summary.txt" >/dev/null ||
    fail "scene-summary ($name) said: $(cat "$out/summary.txt")"

  # pkg-config: the same program with nothing but the compiler and the .pc file.
  local flags
  flags=$(PKG_CONFIG_PATH=$prefix/lib/pkgconfig pkg-config --cflags --libs cwscene) ||
    fail "pkg-config does not find cwscene in $prefix"
  quiet_step "build scene-summary with pkg-config ($name)" \
    c++ -std=c++17 "$examples/SceneSummary.cpp" -o "$out/scene-summary-pc" $flags
  step "run scene-summary built with pkg-config ($name)" "$out/scene-summary-pc" "$out/house.cws" >/dev/null
  quiet_step "build primitives-client with pkg-config ($name)" \
    c++ -std=c++17 "$root/tests/package/PrimitivesClient.cpp" -o "$out/primitives-client" $flags
  step "run primitives-client ($name)" "$out/primitives-client" "$out/scratch.bin" >/dev/null

  # The wizard's folders are not part of the package: a program cannot include them.
  printf '#include "builder/WizardParams.h"\nint main() { return 0; }\n' >"$out/private.cpp"
  if c++ -std=c++17 -c "$out/private.cpp" -o "$out/private.o" $flags 2>/dev/null; then
    fail "a program built against the package ($name) could include builder/WizardParams.h"
  fi
  echo "    ok: examples built and run against the $name package, with CMake and pkg-config"
}

# check_static: the native build installed, and the examples against it.
check_static() {
  local unexpected expected
  echo "== the scene library as a package (static)"
  step "install into a temporary prefix" cmake --install "$build" --prefix "$work/static" >/dev/null
  # What the installed tree holds, and nothing else.
  ( cd "$work/static" && find . -type f | sed 's|^\./||' | sort ) >"$work/installed.txt"
  unexpected=$(grep -vE '^(include/cwscene/[A-Za-z]+\.h|lib/libcwscene\.a|lib/cmake/cwscene/cwscene[A-Za-z-]*\.cmake|lib/pkgconfig/cwscene\.pc|bin/(skipfloor-wizard|cwstool)|share/man/man1/(skipfloor-wizard|cwstool)\.1|share/doc/skipfloor-wizard/[a-z-]+\.md|share/doc/skipfloor-wizard/examples/([A-Za-z]+\.cpp|CMakeLists\.txt)|share/locale/[a-z]+/LC_MESSAGES/skipfloor-wizard\.mo)$' "$work/installed.txt" || true)
  [ -z "$unexpected" ] || fail "unexpected files installed: $unexpected"
  for expected in include/cwscene/Scene.h include/cwscene/Version.h lib/libcwscene.a lib/pkgconfig/cwscene.pc \
                  lib/cmake/cwscene/cwsceneConfig.cmake lib/cmake/cwscene/cwsceneConfigVersion.cmake \
                  bin/skipfloor-wizard bin/cwstool share/man/man1/skipfloor-wizard.1 share/man/man1/cwstool.1 \
                  share/doc/skipfloor-wizard/scene-file-format.md share/doc/skipfloor-wizard/api-mainpage.md \
                  share/doc/skipfloor-wizard/examples/BuildScene.cpp share/locale/ja/LC_MESSAGES/skipfloor-wizard.mo; do
    grep -x "$expected" "$work/installed.txt" >/dev/null || fail "$expected was not installed"
  done
  echo "    ok: $(wc -l <"$work/installed.txt") files installed, all of them expected"
  check_examples "$work/static" static
}

# check_shared: a shared cwscene built, installed, and the examples against it.
check_shared() {
  echo "== the scene library as a package (shared)"
  quiet_step "configure a shared cwscene" cmake -S "$root" --preset shared-library -B "$work/shared-build"
  quiet_step "build the shared cwscene" cmake --build "$work/shared-build" --target cwscene
  step "install the shared cwscene" cmake --install "$work/shared-build" --prefix "$work/shared" --component library >/dev/null
  check_examples "$work/shared" shared
}

# check_windows: the library as a Windows DLL, and programs of one's own compiled against it with the
# flags of its pkg-config file (-DCWSCENE_SHARED: they import), run under Wine's 64-bit loader, called
# by its path as scripts/test-windows.sh does. The DLL and the programs use the compiler's runtime
# DLLs, copied beside them, as a program that ships with the DLL would carry them.
check_windows() {
  local cross=x86_64-w64-mingw32-g++-posix loader=/usr/lib/wine/wine64 win=$work/win64-programs
  local dll runtime found flags program examples=$work/win64/share/doc/skipfloor-wizard/examples file
  echo "== the scene library as a Windows DLL (x86-64, under Wine)"
  command -v "$cross" >/dev/null || fail "$cross is missing: scripts/install-deps.sh all"
  [ -x "$loader" ] || fail "$loader is missing: scripts/install-deps.sh all"
  quiet_step "configure a shared cwscene for Windows" \
    cmake -S "$root" --preset win64 -B "$work/win64-build" -DBUILD_SHARED_LIBS=ON -DSKIPFLOOR_TESTS=OFF
  quiet_step "build the cwscene DLL" cmake --build "$work/win64-build" --target cwscene
  step "install the cwscene DLL" cmake --install "$work/win64-build" --prefix "$work/win64" --component library >/dev/null
  dll=$(find "$work/win64/bin" -name '*cwscene*.dll' -print -quit)
  [ -n "$dll" ] || fail "no cwscene DLL was installed into $work/win64/bin"
  mkdir -p "$win"
  cp "$dll" "$win/"
  for runtime in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
    found=$("$cross" -print-file-name="$runtime")
    [ -f "$found" ] || found=/usr/x86_64-w64-mingw32/lib/$runtime
    [ -f "$found" ] || fail "the compiler's $runtime was not found"
    cp "$found" "$win/"
  done
  flags=$(PKG_CONFIG_PATH=$work/win64/lib/pkgconfig pkg-config --cflags --libs cwscene)
  [[ " $flags " == *" -DCWSCENE_SHARED "* ]] || fail "the DLL's pkg-config file does not say -DCWSCENE_SHARED: $flags"
  for program in BuildScene:build-scene SceneSummary:scene-summary; do
    quiet_step "build ${program#*:}.exe against the DLL" \
      "$cross" -std=c++17 "$examples/${program%%:*}.cpp" -o "$win/${program#*:}.exe" $flags
  done
  quiet_step "build primitives-client.exe against the DLL" \
    "$cross" -std=c++17 "$root/tests/package/PrimitivesClient.cpp" -o "$win/primitives-client.exe" $flags
  run_under_wine "$loader" "$win"
  step "cwstool check of the binary file (Windows DLL)" "$build/cwstool" check "$win/house.cws"
  step "cwstool check of the text file (Windows DLL)" "$build/cwstool" check "$win/house-text.cws"
  tr -d '\r' <"$win/summary.txt" | grep -x '3 frames, 2 shapes, 2 materials, 1 sensors' >/dev/null ||
    fail "scene-summary.exe said: $(cat "$win/summary.txt")"
  # The same example against this build's own library, for the bytes the DLL's program must write.
  quiet_step "build build-scene against $build" \
    c++ -std=c++17 -I"$root/include" -I"$build/include" "$examples/BuildScene.cpp" "$build/scene/libcwscene.a" \
      -o "$work/build-scene-native"
  step "run build-scene against $build" "$work/build-scene-native" "$work/native" >/dev/null
  for file in house.cws house-text.cws; do
    cmp -s "$win/$file" "$work/native${file#house}" ||
      fail "build-scene.exe against the DLL wrote another $file than build-scene against $build"
  done
  echo "    ok: build-scene, scene-summary and primitives-client built against the DLL and run under Wine"
}

# run_under_wine LOADER FOLDER: the three programs in FOLDER, in a Wine prefix of their own that is
# ended and removed at the end whatever happens.
run_under_wine() (
  local loader=$1
  export WINEPREFIX=$work/wine-prefix WINELOADER=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  unset DISPLAY
  cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    timeout 20 wineserver -w >/dev/null 2>&1 || true
  }
  trap cleanup EXIT
  cd "$2"
  quiet_step "wineboot ($loader)" timeout 180 "$loader" wineboot -i
  step "run primitives-client.exe" timeout 60 "$loader" primitives-client.exe scratch.bin >/dev/null
  step "run build-scene.exe" timeout 60 "$loader" build-scene.exe house
  step "run scene-summary.exe" timeout 60 "$loader" scene-summary.exe house-text.cws >summary.txt
)

for kind in $kinds; do
  case $kind in
    static) check_static ;;
    shared) check_shared ;;
    windows) check_windows ;;
    *) fail "unknown kind '$kind' (static, shared or windows)" ;;
  esac
done

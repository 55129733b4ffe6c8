#!/usr/bin/env bash
# test-package.sh BUILD_DIR [static|shared] - the scene library as other programs get it.
#   static  installs the native build in BUILD_DIR into a temporary prefix and checks what is there;
#           builds examples/ against the installed package with find_package(cwscene) and with
#           pkg-config, runs them and checks their files with cwstool; makes sure the wizard's own
#           headers are out of reach
#   shared  does the same with a shared cwscene (the configure preset "shared-library", in a
#           temporary folder; only the library is built), whose exported symbols must suffice
# Without a second argument, both. The native build's CTest runs each as a test of its own
# (package_static, package_shared: tests/CMakeLists.txt).
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

for kind in $kinds; do
  case $kind in
    static) check_static ;;
    shared) check_shared ;;
    *) fail "unknown kind '$kind' (static or shared)" ;;
  esac
done

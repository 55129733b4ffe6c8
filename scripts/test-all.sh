#!/usr/bin/env bash
# test-all.sh - builds everything and runs every test, each build through its presets in
# CMakePresets.json:
#   1. build/        workflow preset native: warnings as errors, the unit and end-to-end tests, and the
#      scene library installed as a package with examples/ built against it, static and shared
#      (scripts/test-package.sh, run by CTest as the tests package_static and package_shared)
#   2. build-asan/   workflow preset sanitizers (scripts/test-sanitize.sh): the same tests under
#      AddressSanitizer and UndefinedBehaviorSanitizer
#   3. build-win64/, build-win32/  presets win64 and win32 (scripts/test-windows.sh): the Windows builds
#      (mingw-w64, x86-64 and i686), their tests under Wine (i686 only where the kernel executes 32-bit
#      programs), and the downloadable ZIPs in dist/ (CPack)
#   4. the instruction budgets of build/ (bench/check-budgets.sh, under valgrind), whose result is the
#      last line: "bench: N passed, M failed", or "bench: skipped: valgrind missing" (which does not fail)
# The packages are checked once, here; the stages after it do not again. Builds and tests take as many
# jobs as CMAKE_BUILD_PARALLEL_LEVEL and CTEST_PARALLEL_LEVEL say, by default the number of cores
# (scripts/steps.sh). Every step that fails says which it was and shows why; each stage says how long
# it took.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/steps.sh
started=$SECONDS

# stage NAME COMMAND...: a step, and its time.
stage() {
  local name=$1 began=$SECONDS
  shift
  step "$name" "$@"
  echo "== $name: $((SECONDS - began)) s"
}

step "install-deps" scripts/install-deps.sh all
export SKIPFLOOR_DEPS_CHECKED=1
# The tests that run the Node.js readers (glTF validator, web-ifc) fail here when one is missing,
# where a plain ctest skips them with the reason.
export SKIPFLOOR_REQUIRE_NODE_TOOLS=1

echo "== native build and tests (build/)"
# shellcheck disable=SC2046  # fresh_tree prints one word or none
stage "native (cmake --workflow --preset native)" cmake --workflow --preset native $(fresh_tree build)
stage "test-sanitize" scripts/test-sanitize.sh
stage "test-windows" scripts/test-windows.sh

# Last, and said on the last line: the instruction budgets of the native build (valgrind); a machine
# without valgrind skips them.
echo "== instruction budgets (bench/check-budgets.sh)"
bench_status=0
bench/check-budgets.sh build >build/bench-budgets.txt 2>&1 || bench_status=$?
sed '$d' build/bench-budgets.txt
[ "$bench_status" = 0 ] || [ "$bench_status" = 77 ] || { tail -1 build/bench-budgets.txt; exit "$bench_status"; }
echo "== all tests passed ($((SECONDS - started)) s)"
tail -1 build/bench-budgets.txt

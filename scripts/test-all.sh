#!/usr/bin/env bash
# test-all.sh - builds everything and runs every test, each build through its preset in
# CMakePresets.json:
#   1. build/        preset native: warnings as errors, unit and end-to-end tests; then the scene
#      library installed as a package, and examples/ built against it (scripts/test-package.sh)
#   2. build-asan/   preset sanitizers: the same tests under AddressSanitizer and UndefinedBehaviorSanitizer
#   3. build-win64/, build-win32/  presets win64 and win32: the Windows builds (mingw-w64, x86-64 and
#      i686), their tests under Wine (i686 only where the kernel executes 32-bit programs), and the
#      downloadable ZIPs in dist/ (CPack)
#   4. the instruction budgets of build/ (bench/check-budgets.sh, under valgrind), whose result is the
#      last line: "bench: N passed, M failed", or "bench: skipped: valgrind missing" (which does not fail)
# Every step that fails says which it was and shows why (scripts/steps.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/steps.sh
started=$SECONDS
step "install-deps" scripts/install-deps.sh all
jobs=$(nproc)

echo "== native build and tests"
quiet_step "configure build" cmake --preset native
step "build build" cmake --build --preset native -j"$jobs"
step "tests of build" ctest --preset native -j"$jobs"
step "test-package" scripts/test-package.sh build

step "test-sanitize" scripts/test-sanitize.sh
step "test-windows" scripts/test-windows.sh

# Last, and said on the last line: the instruction budgets of the native build (valgrind); a machine
# without valgrind skips them.
echo "== instruction budgets (bench/check-budgets.sh)"
bench_status=0
bench/check-budgets.sh build >build/bench-budgets.txt 2>&1 || bench_status=$?
sed '$d' build/bench-budgets.txt
[ "$bench_status" = 0 ] || [ "$bench_status" = 77 ] || { tail -1 build/bench-budgets.txt; exit "$bench_status"; }
echo "== all tests passed ($((SECONDS - started)) s)"
tail -1 build/bench-budgets.txt

#!/usr/bin/env bash
# test-sanitize.sh - builds the tests once more under AddressSanitizer and UndefinedBehaviorSanitizer
# (folder build-asan, the top-level option SKIPFLOOR_SANITIZE) and runs them all with CTest. Called by
# scripts/test-all.sh after the native tests. A report fails the run: findings are fixed, never
# suppressed. The normal test run replays the fuzz seeds and kept findings, so they run here too.
#   CC/CXX pick the compiler (gcc by default; clang works as well).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/steps.sh"
build=$root/build-asan
jobs=$(nproc)

echo "== sanitizer build and tests ($build)"
quiet_step "configure $build" cmake -S "$root" -B "$build" -DSKIPFLOOR_SANITIZE=ON -DSKIPFLOOR_BENCH=OFF \
  -DSKIPFLOOR_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
step "build $build" cmake --build "$build" -j"$jobs"

# Every report is fatal; leaks count as findings; stack traces name the lines.
export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
step "tests of $build" ctest --test-dir "$build" --output-on-failure -j"$jobs"

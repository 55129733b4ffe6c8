#!/usr/bin/env bash
# test-sanitize.sh - builds the tests once more under AddressSanitizer and UndefinedBehaviorSanitizer
# and runs them all with CTest: the workflow preset "sanitizers" of CMakePresets.json (folder
# build-asan, the top-level option SKIPFLOOR_SANITIZE; the test preset sets ASAN_OPTIONS and
# UBSAN_OPTIONS so that every report is fatal, leaks count and stack traces name the lines). Called by
# scripts/test-all.sh after the native tests. A report fails the run: findings are fixed, never
# suppressed. The normal test run replays the fuzz seeds and kept findings, so they run here too.
#   CC/CXX pick the compiler when build-asan is configured first (gcc by default; clang works as well).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/steps.sh

echo "== sanitizer build and tests (build-asan)"
# shellcheck disable=SC2046  # fresh_tree prints one word or none
step "sanitizers (cmake --workflow --preset sanitizers)" cmake --workflow --preset sanitizers $(fresh_tree build-asan)

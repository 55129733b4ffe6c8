#!/usr/bin/env bash
# test-all.sh - builds everything and runs every test:
#   1. build/        the native build with warnings as errors: unit and end-to-end tests
#   2. build-asan/   the same tests under AddressSanitizer and UndefinedBehaviorSanitizer
#   3. build-win32/  the Windows build (mingw-w64, i686), its tests under Wine
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh all
jobs=$(nproc)

echo "== native build and tests"
cmake -S . -B build -DSKIPFLOOR_WERROR=ON >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

scripts/test-sanitize.sh
scripts/test-win32.sh

#!/usr/bin/env bash
# lint.sh [BUILD_DIR] - static analysis of the product: clang-tidy with the checks of .clang-tidy
# (bugprone, performance, the Clang static analyzer) and cppcheck (warnings, performance,
# portability), on every source of app/, builder/, text/, platform/ and platform/posix/, scene/,
# scenefile/ and tools/cwstool/ with its rooms that BUILD_DIR (default build/) compiles, with the
# flags it compiles them with (BUILD_DIR/compile_commands.json: configure it first, e.g. cmake -S . -B
# build).
#
# Prints every finding and exits 1 when there is any, 0 when both tools are clean, 2 when a tool or
# the compilation database is missing. A finding is mended, or suppressed where it stands with the
# reason: // NOLINT(check): why, or // cppcheck-suppress id ; why. Not part of the test run.
#   LINT_JOBS: how many files clang-tidy analyses at once (default: the number of processors).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/steps.sh"
build=$(cd "${1:-$root/build}" && pwd)
database=$build/compile_commands.json
jobs=${LINT_JOBS:-$(nproc)}

for tool in clang-tidy cppcheck; do
  command -v "$tool" >/dev/null || { echo "lint: $tool is not installed (Debian: apt-get install $tool)" >&2; exit 2; }
done
[ -f "$database" ] || { echo "lint: no $database: configure the build first (cmake -S . -B build)" >&2; exit 2; }

# The product's sources, as the database names them; tinygltf's one unit is not ours.
product='^'$root'/(app|builder|text|platform|platform/posix|scene|scenefile|tools/cwstool(/[a-z]+)*)/[^/]+\.cpp$'
mapfile -t sources < <(sed -n 's/^ *"file": "\(.*\)",\{0,1\}$/\1/p' "$database" | grep -E "$product" |
                       grep -v '/TinyGltf\.cpp$' | sort -u)
[ "${#sources[@]}" -gt 0 ] || { echo "lint: $database names no source of the product" >&2; exit 2; }

log=$(mktemp "${TMPDIR:-/tmp}/skipfloor-lint.XXXXXX")
trap 'rm -f "$log"' EXIT

echo "== clang-tidy: ${#sources[@]} files ($(clang-tidy --version | sed -n 's/.*version \([0-9.]*\).*/\1/p' | head -1))"
# --quiet drops the counts of suppressed findings; the findings themselves go to the log.
printf '%s\n' "${sources[@]}" |
  xargs -P "$jobs" -n 4 clang-tidy -p "$build" --quiet 2>/dev/null >"$log" || true
tidy=$(grep -cE '^[^ ]+:[0-9]+:[0-9]+: (warning|error):' "$log" || true)
cat "$log"
echo "   clang-tidy: $tidy findings"

echo "== cppcheck ($(cppcheck --version))"
# cppcheck names a file by its path relative to the folder it runs in when it lies below it, else by
# the path the database gives: a filter of each form.
filters=()
for folder in app builder text platform/posix scene scenefile tools/cwstool; do
  filters+=("--file-filter=$folder/*" "--file-filter=$root/$folder/*")
done
(cd "$root" && cppcheck --project="$database" "${filters[@]}" --enable=warning,performance,portability \
   --inline-suppr --quiet -j "$jobs" --suppress='*:/usr/*' --suppress='*:*/tiny_gltf.h' \
   --template='{file}:{line}: {severity}: {message} [{id}]') 2>"$log" || true
check=$(grep -cE '^[^ ]+:[0-9]+: ' "$log" || true)
cat "$log"
echo "   cppcheck: $check findings"

if [ "$tidy" -gt 0 ] || [ "$check" -gt 0 ]; then
  echo "lint: $tidy clang-tidy and $check cppcheck findings: mend them, or suppress each where it stands with the reason" >&2
  exit 1
fi
echo "lint: clean"

#!/usr/bin/env bash
# lint.sh [BUILD_DIR [WINDOWS_BUILD_DIR]] - static analysis of the product: clang-tidy with the checks
# of .clang-tidy (bugprone, performance, the Clang static analyzer) and cppcheck (warnings,
# performance, portability), on every source of app/, builder/, text/, platform/, scene/, scenefile/
# and tools/, each with the flags it is compiled with:
#   - what the Linux build compiles, from BUILD_DIR (default build/; configure it first:
#     cmake --preset native);
#   - what only the Windows build compiles (platform/win32/, the Win32 halves of scenefile/), from
#     WINDOWS_BUILD_DIR (default build-win64-lint/, configured here without unity batches when it has
#     no compilation database: the win64 preset's own tree names its batches, not its sources), analysed for
#     the mingw-w64 target: clang-tidy with --target and the C++ library of the cross compiler the
#     database names, cppcheck with --platform=win64.
#
# Prints every finding and exits 1 when there is any, 0 when both tools are clean, 2 when a tool or a
# compilation database is missing. A finding is mended, or suppressed where it stands with the
# reason: // NOLINT(check): why, or // cppcheck-suppress id ; why. Not part of the test run.
#   LINT_JOBS: how many files clang-tidy analyses at once (default: the number of processors).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/steps.sh"
native=${1:-$root/build}
windows=${2:-$root/build-win64-lint}
jobs=${LINT_JOBS:-$(nproc)}

for tool in clang-tidy cppcheck; do
  command -v "$tool" >/dev/null || { echo "lint: $tool is not installed (Debian: apt-get install $tool)" >&2; exit 2; }
done
if [ -z "${2:-}" ] && [ ! -f "$windows/compile_commands.json" ]; then
  quiet_step "configure $windows" cmake --preset win64 -B "$windows" -DCMAKE_UNITY_BUILD=OFF
fi
for pair in "$native:native" "$windows:win64"; do
  [ -f "${pair%:*}/compile_commands.json" ] ||
    { echo "lint: no ${pair%:*}/compile_commands.json: configure that build first (cmake --preset ${pair##*:})" >&2; exit 2; }
done
native=$(cd "$native" && pwd)
windows=$(cd "$windows" && pwd)

# The product's sources as a database names them; tinygltf's one unit is not ours.
product='^'$root'/(app|builder|text|platform|scene|scenefile|tools)/.+\.cpp$'
sources_of() {
  sed -n 's/^ *"file": "\(.*\)",\{0,1\}$/\1/p' "$1/compile_commands.json" | grep -E "$product" |
    grep -v '/TinyGltf\.cpp$' | sort -u
}
mapfile -t sources < <(sources_of "$native")
# The Windows build's own sources: those the Linux build does not compile.
mapfile -t windows_sources < <(comm -13 <(printf '%s\n' "${sources[@]}") <(sources_of "$windows"))
[ "${#sources[@]}" -gt 0 ] && [ "${#windows_sources[@]}" -gt 0 ] ||
  { echo "lint: the compilation databases name no source of the product" >&2; exit 2; }

# The cross compiler the Windows database names gives the target and its C++ library's folders;
# clang brings its own intrinsics and finds the mingw-w64 headers for the target itself.
cross=$(sed -n '0,/^ *"command": "\([^ ]*\) .*/s//\1/p' "$windows/compile_commands.json")
target=$("$cross" -dumpmachine)
# performance-no-int-to-ptr is left out there: the Win32 API hands pointers and handles back as
# integers (a message's LRESULT, a window's LONG_PTR, LPARAM, _get_osfhandle), and the cast it flags is
# the only way to take them; the Linux sources stay under it.
windows_args=("--extra-arg=--target=$target" "--checks=-performance-no-int-to-ptr")
while read -r folder; do
  windows_args+=("--extra-arg=-isystem$folder")
done < <("$cross" -E -x c++ -v /dev/null 2>&1 | sed -n '/search starts here:/,/End of search list/p' |
         sed -n 's/^ *\(.*\/include\/c++.*\)$/\1/p')

log=$(mktemp "${TMPDIR:-/tmp}/skipfloor-lint.XXXXXX")
trap 'rm -f "$log"' EXIT

echo "== clang-tidy: ${#sources[@]} files of $native, ${#windows_sources[@]} of $windows for $target" \
     "($(clang-tidy --version | sed -n 's/.*version \([0-9.]*\).*/\1/p' | head -1))"
# --quiet drops the counts of suppressed findings; the findings themselves go to the log.
{
  printf '%s\n' "${sources[@]}" | xargs -P "$jobs" -n 4 clang-tidy -p "$native" --quiet 2>/dev/null || true
  printf '%s\n' "${windows_sources[@]}" |
    xargs -P "$jobs" -n 4 clang-tidy -p "$windows" "${windows_args[@]}" --quiet 2>/dev/null || true
} >"$log"
tidy=$(grep -cE '^[^ ]+:[0-9]+:[0-9]+: (warning|error):' "$log" || true)
cat "$log"
echo "   clang-tidy: $tidy findings"

echo "== cppcheck ($(cppcheck --version))"
# cppcheck names a file by its path relative to the folder it runs in when it lies below it, else by
# the path the database gives: a filter of each form.
filters=()
for folder in app builder text platform scene scenefile tools; do
  filters+=("--file-filter=$folder/*" "--file-filter=$root/$folder/*")
done
windows_filters=()
for file in "${windows_sources[@]}"; do
  windows_filters+=("--file-filter=${file#"$root"/}" "--file-filter=$file")
done
options=(--enable=warning,performance,portability --inline-suppr --quiet -j "$jobs" --suppress='*:/usr/*'
         --suppress='*:*/tiny_gltf.h' --template='{file}:{line}: {severity}: {message} [{id}]')
{
  (cd "$root" && cppcheck --project="$native/compile_commands.json" "${filters[@]}" "${options[@]}") || true
  (cd "$root" && cppcheck --project="$windows/compile_commands.json" --platform=win64 "${windows_filters[@]}" \
     "${options[@]}") || true
} 2>"$log"
check=$(grep -cE '^[^ ]+:[0-9]+: ' "$log" || true)
cat "$log"
echo "   cppcheck: $check findings"

if [ "$tidy" -gt 0 ] || [ "$check" -gt 0 ]; then
  echo "lint: $tidy clang-tidy and $check cppcheck findings: mend them, or suppress each where it stands with the reason" >&2
  exit 1
fi
echo "lint: clean"

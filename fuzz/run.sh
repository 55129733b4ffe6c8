#!/usr/bin/env bash
# run.sh SECONDS [TARGET...] - builds the libFuzzer programs with clang (the configure preset "fuzz"
# of CMakePresets.json: folder ../build-fuzz beside the work tree, or $SKIPFLOOR_FUZZ_BUILD) and runs
# each target for SECONDS, one after the other.
#
# Seeds come from fuzz/corpus/<target>/ and fuzz/regressions/<target>/ (read only); what libFuzzer
# learns goes to fuzz/findings/<target>/corpus/, crash inputs to fuzz/findings/<target>/ (git-ignored).
# A crash input belongs, once fixed, in fuzz/regressions/<target>/, which the normal test run replays.
# Each run's duration and outcome is appended to fuzz/findings/durations.log.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:?usage: fuzz/run.sh SECONDS [TARGET...]}
shift
build=${SKIPFLOOR_FUZZ_BUILD:-$(dirname "$root")/build-fuzz}
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(scene_reader number_text param_file registry_store)

cmake -S "$root" --preset fuzz -B "$build" >/dev/null
mkdir -p "$root/fuzz/findings"

status=0
for target in "${targets[@]}"; do
  if ! cmake --build "$build" -j2 --target "fuzz_$target" >"$root/fuzz/findings/build-$target.log" 2>&1; then
    echo "run.sh: fuzz_$target does not build (fuzz/findings/build-$target.log); skipped" >&2
    status=1
    continue
  fi
  findings=$root/fuzz/findings/$target
  mkdir -p "$findings/corpus"
  seeds=()
  for dir in "$root/fuzz/corpus/$target" "$root/fuzz/regressions/$target"; do
    [ -d "$dir" ] && seeds+=("$dir")
  done
  options=(-max_total_time="$seconds" -artifact_prefix="$findings/" -print_final_stats=1 -rss_limit_mb=2048)
  [ -f "$root/fuzz/$target.dict" ] && options+=(-dict="$root/fuzz/$target.dict")
  echo "== fuzz_$target for $seconds s"
  started=$(date +%s)
  if "$build/fuzz/fuzz_$target" "${options[@]}" "$findings/corpus" "${seeds[@]}" >"$findings/last.log" 2>&1; then
    outcome=clean
  else
    outcome="FINDING (see $findings/last.log)"
    status=1
  fi
  elapsed=$(( $(date +%s) - started ))
  echo "$(date -u +%FT%TZ) $target ${elapsed}s $outcome" | tee -a "$root/fuzz/findings/durations.log"
done
exit $status

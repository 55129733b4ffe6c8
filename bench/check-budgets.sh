#!/usr/bin/env bash
# check-budgets.sh [--write] [BUILD] - the instruction and memory budgets: runs a wizard run,
# `cwstool --version` and cwstool's commands on the synthetic scene under callgrind, the exports of a
# scene of a million boxes under callgrind and GNU time, and an over-large input, and compares each
# count with its budget in bench/budgets.txt. Fails (exit 1) when a count is more than 10 % above its
# budget (a peak memory: or 1 MiB, whichever is more, since a small process's varies by some hundred
# KiB from run to run); exit 77 when valgrind or GNU time is missing. --write sets every budget to the count measured now, for after a change
# that makes something dearer on purpose (say why in the commit) or cheaper. The last line is
# "bench: N passed, M failed" (or "bench: skipped: valgrind missing").
#
# Instruction counts are the same from run to run for the same programs and C library, whatever else
# the machine is doing, so a budget can be tight where a time could not. A scene command's budget is
# per shape: its whole run, start included, divided by the scene's 10 000 shapes (100 frames of the
# synthetic scene, bench/SyntheticScene.h). The exports of the million-box scene (10 000 frames, 52 MB)
# count instructions per box and the peak memory (KiB, GNU time's maximum resident set), which a
# streamed export keeps independent of the scene's size; an input larger than any scene file is
# refused with the memory of a start. BUILD is a native build folder with skipfloor-wizard, cwstool
# and scene_make (default: build).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
write=0
if [ "${1:-}" = --write ]; then
  write=1
  shift
fi
build=$(cd "${1:-$root/build}" && pwd)
budgets=$root/bench/budgets.txt
frames=100
shapes=$((frames * 100))
tolerance=10  # percent above the budget that still passes

if ! command -v valgrind >/dev/null 2>&1; then
  echo "bench: skipped: valgrind missing"
  exit 77
fi
if [ ! -x /usr/bin/time ]; then
  echo "bench: skipped: GNU time (/usr/bin/time) missing"
  exit 77
fi
for program in skipfloor-wizard cwstool scene_make; do
  [ -x "$build/$program" ] || { echo "bench: FAILED: $build/$program is missing (build it first)"; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/skipfloor-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
"$build/scene_make" "$frames" "$work/scene.cws" "$work/scene-text.cws"
million=1000000
"$build/scene_make" $((million / 100)) "$work/million.cws" "$work/million-text.cws"
rm "$work/million-text.cws"
truncate -s 300M "$work/too-large.cws"  # larger than any scene file (256 MiB), and sparse
# The same environment for every run: the programs' messages in English, the registry store here.
export LC_ALL=C.UTF-8 LANGUAGE= XDG_CONFIG_HOME=$work/config

# instructions INPUT COMMAND...: the instructions callgrind counts for COMMAND, with INPUT as its
# standard input and its output discarded; the run must succeed.
instructions() {
  local input=$1 log=$work/callgrind.log
  shift
  if ! (cd "$work" && valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" <"$input" >/dev/null 2>"$log"); then
    echo "bench: FAILED: $* did not succeed under valgrind:" >&2
    cat "$log" >&2
    exit 1
  fi
  sed -n 's/^==[0-9]*== Collected : \([0-9]*\)$/\1/p' "$log"
}

# peak STATUS COMMAND: the peak memory (KiB) of the shell command COMMAND (its largest process),
# whose exit status must be STATUS; its output and messages discarded.
peak() {
  local expected=$1 command=$2 log=$work/time.log status=0
  (cd "$work" && /usr/bin/time -f %M -o "$log" sh -c "$command" </dev/null >/dev/null 2>&1) || status=$?
  if [ "$status" != "$expected" ]; then
    echo "bench: FAILED: $command ended with $status, not $expected" >&2
    exit 1
  fi
  tail -1 "$log"
}

printf 'ok\n' >"$work/ok.txt"
tool=$build/cwstool
# name, what a count is divided by, the command (run in the work folder)
runs=(
  "wizard-run|run|$work/ok.txt|$build/skipfloor-wizard house.cws house.prm"
  "version|run|/dev/null|$tool --version"
  "check|shape|/dev/null|$tool check scene.cws"
  "check-text|shape|/dev/null|$tool check scene-text.cws"
  "dump|shape|/dev/null|$tool dump scene.cws"
  "dump-text|shape|/dev/null|$tool dump scene-text.cws"
  "convert-to-text|shape|/dev/null|$tool convert --text scene.cws converted.cws"
  "convert-to-binary|shape|/dev/null|$tool convert --binary scene-text.cws converted.cws"
  "export-glb|shape|/dev/null|$tool export scene.cws scene.glb"
  "export-ifc|shape|/dev/null|$tool export scene.cws scene.ifc"
  "export-glb-1m|box|/dev/null|$tool export million.cws million.glb"
)
# name, the exit status expected, the shell command (run in the work folder): peak memory in KiB
memory_runs=(
  "export-glb-1m-peak|0|'$tool' export million.cws million.glb"
  "export-ifc-1m-peak|0|'$tool' export million.cws million.ifc"
  "export-too-large-peak|1|'$tool' export too-large.cws out.glb"
  "export-pipe-too-large-glb-peak|1|head -c 300M /dev/zero | '$tool' export - out.glb"
  "export-pipe-too-large-ifc-peak|1|head -c 300M /dev/zero | '$tool' export - out.ifc"
)

declare -A budget
if [ -f "$budgets" ]; then
  while read -r name value _; do
    [[ -z "$name" || "$name" == \#* ]] || budget[$name]=$value
  done <"$budgets"
fi

machine="$(uname -m), $(getconf GNU_LIBC_VERSION), $(g++ -dumpfullversion 2>/dev/null | sed 's/^/g++ /')"
echo "Instructions (callgrind) on $(date -u +%Y-%m-%d), $machine"
echo "Scene commands on the synthetic scene of $shapes shapes; the budget allows $tolerance % more."
echo
echo "| Run | Instructions | Per | Budget | Of the budget |"
echo "|---|---|---|---|---|"
failed=()
measured=()
# judge NAME COUNT UNIT SLACK: notes the count for --write and compares it with the budget, which
# it may pass by the tolerance or by SLACK (in its unit), whichever is more; sets `limit` and `share`
# for the table.
judge() {
  local name=$1 count=$2 unit=$3 slack=$4 allowed
  measured+=("$name $count $unit")
  limit=${budget[$name]:-}
  if [ -z "$limit" ]; then
    share="no budget"
    [ "$write" = 1 ] || failed+=("$name has no budget in bench/budgets.txt")
    return
  fi
  share="$(( (count * 100 + limit / 2) / limit )) %"
  allowed=$(( limit * (100 + tolerance) / 100 ))
  [ $((limit + slack)) -le "$allowed" ] || allowed=$((limit + slack))
  if [ "$write" = 0 ] && [ "$count" -gt "$allowed" ]; then
    failed+=("$name $count per $unit, budget $limit")
  fi
}
for entry in "${runs[@]}"; do
  IFS='|' read -r name per input command <<<"$entry"
  # shellcheck disable=SC2086 # the command is split into words on purpose
  total=$(instructions "$input" $command)
  case $per in
    shape) count=$(( (total + shapes / 2) / shapes )) ;;
    box) count=$(( (total + million / 2) / million )) ;;
    *) count=$total ;;
  esac
  judge "$name" "$count" "$per" 0
  printf '| %s | %s | %s per %s | %s | %s |\n' "$name" "$total" "$count" "$per" "${limit:--}" "$share"
done
echo
echo "Peak memory (GNU time, maximum resident set): the scene of $million boxes, and 300 MiB of input"
echo
echo "| Run | KiB | Budget | Of the budget |"
echo "|---|---|---|---|"
for entry in "${memory_runs[@]}"; do
  IFS='|' read -r name status command <<<"$entry"
  count=$(peak "$status" "$command")
  judge "$name" "$count" KiB 1024
  printf '| %s | %s | %s | %s |\n' "$name" "$count" "${limit:--}" "$share"
done
echo
runs+=("${memory_runs[@]}")  # counted with the others in the result

if [ "$write" = 1 ]; then
  {
    echo "# Budgets of bench/check-budgets.sh: name, instructions, per what (a run, a shape of the"
    echo "# synthetic scene, a box of the million-box scene); or name, peak memory, KiB. A count more"
    echo "# than $tolerance % above its budget fails the check."
    echo "# Written by bench/check-budgets.sh --write on $(date -u +%Y-%m-%d) ($machine)."
    printf '%s\n' "${measured[@]}"
  } >"$budgets"
  echo "bench: budgets written to bench/budgets.txt"
elif [ ${#failed[@]} -eq 0 ]; then
  echo "bench: ${#runs[@]} passed, 0 failed"
else
  echo "bench: above budget + $tolerance %: $(IFS=';'; echo "${failed[*]}" | sed 's/;/; /g')"
  echo "bench: $(( ${#runs[@]} - ${#failed[@]} )) passed, ${#failed[@]} failed"
  exit 1
fi

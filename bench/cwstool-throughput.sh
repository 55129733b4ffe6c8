#!/usr/bin/env bash
# cwstool-throughput.sh [BUILD] - cwstool as a whole process on the synthetic scene, beside sha256sum
# of the same file: the wall and CPU time of each command (hyperfine, all commands of a file side by
# side in one run), and its peak memory (GNU time) above the process floor (cwstool --version), for
# the scene of 100 000 cubes and for ten times it, read from the file and from a pipe. Prints
# Markdown tables headed by the date, the machine and its load, for docs/benchmarks.md.
#
# BUILD is a build folder with cwstool and scene_make (default: build). RUNS sets hyperfine's runs
# (default 30). Needs hyperfine and /usr/bin/time (Debian: hyperfine, time); the files go to
# ${TMPDIR:-/tmp}/skipfloor-throughput/. Whole-process times are a few tens of milliseconds: on a
# busy machine the ratios are what to look at, and the instruction counts of bench/check-budgets.sh
# are what stays the same.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
runs=${RUNS:-30}
dir=${TMPDIR:-/tmp}/skipfloor-throughput
mkdir -p "$dir"
tool=$build/cwstool

for frames in 1000 10000; do
  [ -f "$dir/scene-$frames.cws" ] || "$build/scene_make" "$frames" "$dir/scene-$frames.cws" "$dir/scene-$frames-text.cws"
done

echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores ($(sed -n 's/^model name[^:]*: //p' /proc/cpuinfo | head -1)), load $(cut -d' ' -f1-3 /proc/loadavg) at the start"
echo
echo "Time: median of $runs runs (hyperfine), wall (CPU: user + system, mean), and the ratio of the medians to sha256sum's"
echo
megabytes() { awk -v size="$(stat -c %s "$1")" 'BEGIN { printf "%.1f MB", size / 1e6 }'; }
echo "| Command | Binary, $(megabytes "$dir/scene-1000.cws") | Text, $(megabytes "$dir/scene-1000-text.cws") |"
echo "|---|---|---|"
for file in scene-1000.cws scene-1000-text.cws; do
  input=$dir/$file
  other=$([[ $file == *text* ]] && echo --binary || echo --text)
  hyperfine -N --warmup 3 --runs "$runs" --export-json "$dir/times-$file.json" \
    "sha256sum $input" "$tool check $input" "$tool dump $input" \
    "$tool convert $other $input $dir/converted.cws" >/dev/null 2>&1
done
python3 - "$dir/times-scene-1000.cws.json" "$dir/times-scene-1000-text.cws.json" <<'PY'
import json, sys
files = [json.load(open(path))["results"] for path in sys.argv[1:]]
names = ["`sha256sum`", "`cwstool check`", "`cwstool dump`", "`cwstool convert`"]
for i, name in enumerate(names):
    cells = []
    for results in files:
        r, base = results[i], results[0]["median"]
        cell = f"{r['median'] * 1000:.1f} ms ({(r['user'] + r['system']) * 1000:.1f} ms)"
        if i > 0:
            cell += f", {r['median'] / base:.2f} x"
        cells.append(cell)
    print(f"| {name} | " + " | ".join(cells) + " |")
PY

floor=$(/usr/bin/time -f %M "$tool" --version 2>&1 >/dev/null | tail -1)
echo
echo "Peak memory (maximum resident set, GNU time) above the floor of \`cwstool --version\` ($floor KiB), from the file and from a pipe"
echo
echo "| Command | Scene | Binary | from a pipe | Text | from a pipe |"
echo "|---|---|---|---|---|---|"
# above FILE PIPE COMMAND...: the peak memory of cwstool COMMAND... on FILE (or a pipe of it), above the floor.
above() {
  local file=$1 pipe=$2 peak
  shift 2
  if [ "$pipe" = 1 ]; then
    peak=$(cat "$file" | /usr/bin/time -f %M "$tool" "$@" /dev/stdin 2>&1 >/dev/null | tail -1)
  else
    peak=$(/usr/bin/time -f %M "$tool" "$@" "$file" 2>&1 >/dev/null | tail -1)
  fi
  echo "$((peak - floor)) KiB"
}
for frames in 1000 10000; do
  for command in check dump convert; do
    line="| \`$command\` | $frames frames |"
    for kind in "" -text; do
      input=$dir/scene-$frames$kind.cws
      if [ "$command" = convert ]; then
        other=$([ -n "$kind" ] && echo --binary || echo --text)
        peak=$(/usr/bin/time -f %M "$tool" convert "$other" "$input" "$dir/converted.cws" 2>&1 >/dev/null | tail -1)
        size=$(stat -c %s "$input")
        line+=" $((peak - floor)) KiB ($(python3 -c "print(f'{($peak - $floor) * 1024 / $size:.2f}')") x the file) | |"
      else
        line+=" $(above "$input" 0 "$command") | $(above "$input" 1 "$command") |"
      fi
    done
    echo "$line"
  done
done

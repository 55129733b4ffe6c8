#!/usr/bin/env bash
# cwstool-throughput.sh [BUILD] - cwstool as a whole process on the synthetic scene, beside sha256sum
# of the same file: the median wall time of each command (hyperfine), and its peak memory (GNU time)
# above the process floor (cwstool --version), for the scene of 100 000 cubes and for ten times it.
#
# BUILD is a build folder with cwstool and scene_make (default: build). RUNS sets hyperfine's runs
# (default 15). Needs hyperfine and /usr/bin/time (Debian: hyperfine, time); the files go to
# ${TMPDIR:-/tmp}/skipfloor-throughput/. The machine should be otherwise idle: whole-process times are
# a few tens of milliseconds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
runs=${RUNS:-15}
dir=${TMPDIR:-/tmp}/skipfloor-throughput
mkdir -p "$dir"
tool=$build/cwstool

for frames in 1000 10000; do
  [ -f "$dir/scene-$frames.cws" ] || "$build/scene_make" "$frames" "$dir/scene-$frames.cws" "$dir/scene-$frames-text.cws"
done

echo "## Wall time, median of $runs runs (hyperfine), ratio to sha256sum of the same file"
for file in scene-1000.cws scene-1000-text.cws; do
  input=$dir/$file
  other=$([[ $file == *text* ]] && echo --binary || echo --text)
  hyperfine -N --warmup 3 --runs "$runs" --export-json "$dir/times.json" \
    "sha256sum $input" "$tool check $input" "$tool dump $input" \
    "$tool convert $other $input $dir/converted.cws" >/dev/null 2>&1
  python3 - "$dir/times.json" "$file" "$(stat -c %s "$input")" <<'PY'
import json, sys
results = json.load(open(sys.argv[1]))["results"]
base = results[0]["median"]
print(f"{sys.argv[2]} ({int(sys.argv[3]) / 1e6:.1f} MB)")
for r in results:
    words = r["command"].split()
    name = words[0] if words[0] == "sha256sum" else words[1]
    print(f"  {name:10s} {r['median'] * 1000:8.1f} ms  {r['median'] / base:5.2f}x")
PY
done

echo "## Peak memory (maximum resident set, GNU time) above the floor"
floor=$(/usr/bin/time -f %M "$tool" --version 2>&1 >/dev/null | tail -1)
echo "floor (cwstool --version): $floor KiB"
for frames in 1000 10000; do
  for file in scene-$frames.cws scene-$frames-text.cws; do
    input=$dir/$file
    size=$(stat -c %s "$input")
    other=$([[ $file == *text* ]] && echo --binary || echo --text)
    line="$file ($((size / 1000000)) MB):"
    for command in check dump convert; do
      if [ $command = convert ]; then args=(convert "$other" "$input" "$dir/converted.cws"); else args=($command "$input"); fi
      peak=$(/usr/bin/time -f %M "$tool" "${args[@]}" 2>&1 >/dev/null | tail -1)
      above=$((peak - floor))
      if [ $command = convert ]; then
        line+=" $command +$above KiB ($(python3 -c "print(f'{$above * 1024 / $size:.2f}')")x the file)"
      else
        line+=" $command +$above KiB,"
      fi
    done
    echo "$line"
  done
done

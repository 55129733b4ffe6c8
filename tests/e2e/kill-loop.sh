#!/usr/bin/env bash
# kill-loop.sh WIZARD [KILLS] - kills the wizard KILLS times (default 200) at a random moment of a run
# that replaces a scene, a parameter file and the registry store, and counts the temporaries left
# behind: those a kill leaves (a kill while a temporary has its name) and those still there after a
# later run that was not killed, which must have removed them. After each kill every file is whole (the old content or the
# new, never a part), and after the last kill a complete run leaves no temporary at all.
# Prints "kills N, landed during a run L, temporaries left by a kill S, left after a complete run 0,
# files not whole 0" and exits 1 when a temporary survives a complete run or a file is not whole.
set -euo pipefail
wizard=$(realpath "$1")
kills=${2:-200}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export XDG_CONFIG_HOME="$work/config" HOME="$work" LC_ALL=C.UTF-8
store="$XDG_CONFIG_HOME/skipfloor-wizard"
printf 'ok\n' >input
mkfifo idle && exec 3<>idle  # read -t on it waits without starting a process
"$wizard" s.cws p.prm <input >/dev/null 2>&1  # the files exist: every run replaces them

temporaries() { find . "$store" -maxdepth 1 -name '.sfw*' | wc -l; }

# Each file whole: the scene 2222 bytes, the parameter file 120, the store the header and eight values.
whole() {
  [ "$(stat -c %s s.cws)" = 2222 ] && [ "$(stat -c %s p.prm)" = 120 ] &&
    [ "$(head -c 8 "$store/registry.reg")" = REGEDIT4 ] &&
    [ "$(grep -c '^"[A-Za-z0-9]*"="' "$store/registry.reg")" = 8 ]
}

landed=0 left=0 survived=0 broken=0
for ((i = 0; i < kills; i++)); do
  "$wizard" s.cws p.prm <input >/dev/null 2>&1 &
  pid=$!
  read -r -t "$(printf '0.%04d' $((RANDOM % 40)))" -u 3 || true  # up to 4 ms
  kill -KILL "$pid" 2>/dev/null || true
  status=0
  { wait "$pid"; } 2>/dev/null || status=$?
  now=$(temporaries)
  if [ "$status" = 137 ]; then
    landed=$((landed + 1))
    [ "$now" -gt 0 ] && left=$((left + now))
  else
    # A run that was not killed wrote into both folders after the earlier kills: nothing is left.
    survived=$((survived + now))
  fi
  whole || broken=$((broken + 1))
done
"$wizard" s.cws p.prm <input >/dev/null 2>&1
final=$(temporaries)
echo "kills $kills, landed during a run $landed, temporaries left by a kill $left," \
  "left after a complete run $((survived + final)), files not whole $broken"
[ "$survived" = 0 ] && [ "$final" = 0 ] && [ "$broken" = 0 ]

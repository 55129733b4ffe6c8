#!/usr/bin/env bash
# layers-check.sh SOURCE_DIR - cmake/Layers.cmake's check, run as the build runs it, on small trees of
# its own: each case writes a few files that include one another, and the check must pass the tree or
# refuse it naming what it found (an include up a layer or out of a room, a two-way tie, a circle).
set -euo pipefail
layers=$1/cmake/Layers.cmake
work=$(mktemp -d "${TMPDIR:-/tmp}/skipfloor-layers.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0

# put FILE INCLUDE...: FILE in the case's tree, including each INCLUDE by path.
put() {
  local path=$work/tree/$1 include
  shift
  mkdir -p "$(dirname "$path")"
  : >"$path"
  for include in "$@"; do echo "#include \"$include\"" >>"$path"; done
}

# expect NAME pass|"TEXT": runs the check on the tree the case wrote, then clears it.
expect() {
  local name=$1 wanted=$2 status=0
  cmake -DSKIPFLOOR_SOURCE_DIR="$work/tree" -DSKIPFLOOR_STAMP="$work/stamp" -P "$layers" >"$work/log" 2>&1 || status=$?
  if [ "$wanted" = pass ]; then
    [ "$status" = 0 ] || { echo "layers-check: $name: refused:"; cat "$work/log"; failures=$((failures + 1)); }
  elif [ "$status" = 0 ] || ! grep -F -- "$wanted" "$work/log" >/dev/null; then
    echo "layers-check: $name: expected a refusal naming '$wanted', got (exit $status):"
    cat "$work/log"
    failures=$((failures + 1))
  fi
  rm -rf "$work/tree"
}

put app/A.h builder/B.h
put app/A.cpp app/A.h builder/B.h
put builder/B.cpp builder/B.h builder/BDetail.h
put builder/BDetail.h builder/B.h  # a private XDetail.h is X's own: no tie
put builder/B.h
expect "includes that point down" pass

put builder/B.cpp app/A.h
put app/A.h
expect "an include up a layer" 'builder/B.cpp: #include "app/A.h"'

put tools/cwstool/levels/L.cpp tools/cwstool/output/O.h
put tools/cwstool/output/O.h
expect "an include out of a room" 'tools/cwstool/levels/L.cpp: #include "tools/cwstool/output/O.h"'

put builder/B.h builder/C.h
put builder/C.h
put builder/C.cpp builder/C.h builder/B.h
expect "a header and a source that include each other" 'builder/B <-> builder/C'

put builder/X.h builder/Y.h
put builder/Y.h builder/Z.h
put builder/Z.h
put builder/Z.cpp builder/Z.h builder/X.h
expect "a circle of three" 'circle: builder/X builder/Y builder/Z'

put scenefile/Translation.cpp scenefile/Texts.h
put scenefile/Texts.h
echo '#include <cwscene/Translation.h>' >>"$work/tree/scenefile/Texts.h"
put include/cwscene/Translation.h
expect "a public header and its source count as one" 'cwscene/Texts <-> cwscene/Translation'

[ "$failures" = 0 ] && echo "layers-check: every case as expected"
exit $((failures > 0))

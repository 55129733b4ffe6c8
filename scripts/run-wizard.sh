#!/usr/bin/env bash
# run-wizard.sh [SCENE.cws [PARAMS.prm]] - builds the Linux wizard and cwstool, then starts the wizard
# in this terminal. Says what it is doing at each stage; a stage that fails shows its output.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

stage() { echo "run-wizard: $*" >&2; }
# quietly LOG COMMAND...: runs COMMAND with its output in LOG, shown only when it fails.
quietly() {
  local log=$1
  shift
  if ! "$@" >"$log" 2>&1; then
    cat "$log" >&2
    stage "failed: $*"
    exit 1
  fi
}

stage "checking the packages it needs (installs what is missing, as root)"
"$root/scripts/install-deps.sh" linux
mkdir -p "$root/build"
stage "configuring build/"
quietly "$root/build/configure.log" cmake -S "$root" -B "$root/build" -DSKIPFLOOR_BENCH=OFF
stage "building build/skipfloor-wizard and build/cwstool (a minute or two the first time)"
cmake --build "$root/build" -j"$(nproc)" --target skipfloor-wizard cwstool
stage "starting build/skipfloor-wizard"
exec "$root/build/skipfloor-wizard" "$@"

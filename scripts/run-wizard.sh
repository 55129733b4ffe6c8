#!/usr/bin/env bash
# run-wizard.sh [SCENE.cws [PARAMS.prm]] - builds the Linux wizard and starts it in this terminal.
# The build is quiet; a step that fails says which it was and shows its output (scripts/steps.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/steps.sh"
step "install-deps" "$root/scripts/install-deps.sh" linux
quiet_step "configure build" cmake -S "$root" -B "$root/build" -DSKIPFLOOR_BENCH=OFF
quiet_step "build skipfloor-wizard" cmake --build "$root/build" -j"$(nproc)" --target skipfloor-wizard
exec "$root/build/skipfloor-wizard" "$@"

#!/usr/bin/env bash
# run-wizard.sh [SCENE.cws [PARAMS.prm]] - builds the Linux wizard and cwstool, then starts the wizard
# in this terminal. Says what it is doing at each stage and shows the build's progress; a step that
# fails says which it was and shows its output (scripts/steps.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/steps.sh"
echo "run-wizard: checking the packages it needs (installs what is missing, as root)"
step "install-deps" "$root/scripts/install-deps.sh" linux
echo "run-wizard: configuring build/"
quiet_step "configure build" cmake -S "$root" -B "$root/build" -DSKIPFLOOR_BENCH=OFF
echo "run-wizard: building build/skipfloor-wizard and build/cwstool (a minute or two the first time)"
step "build skipfloor-wizard and cwstool" cmake --build "$root/build" -j"$(nproc)" --target skipfloor-wizard cwstool
echo "run-wizard: starting build/skipfloor-wizard"
exec "$root/build/skipfloor-wizard" "$@"

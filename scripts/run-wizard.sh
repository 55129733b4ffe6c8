#!/usr/bin/env bash
# run-wizard.sh [SCENE.cws [PARAMS.prm]] - builds the Linux wizard and cwstool in build/ (the presets
# "native" of CMakePresets.json, as the test command does), then starts the wizard in this terminal,
# in the folder it was called from. Says what it is doing at each stage and shows the build's
# progress; a step that fails says which it was and shows its output (scripts/steps.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/steps.sh"
echo "run-wizard: checking the packages it needs (installs what is missing, as root)"
step "install-deps" "$root/scripts/install-deps.sh" linux
# in_root COMMAND...: COMMAND in the source folder, where CMake finds the presets; the wizard itself
# starts in the caller's folder, so that relative paths mean what the caller meant.
in_root() { (cd "$root" && "$@"); }
echo "run-wizard: configuring build/"
# shellcheck disable=SC2046  # fresh_tree prints one word or none
quiet_step "configure build" in_root cmake --preset native $(fresh_tree "$root/build")
echo "run-wizard: building build/skipfloor-wizard and build/cwstool (a minute or two the first time)"
step "build skipfloor-wizard and cwstool" in_root cmake --build --preset native --target skipfloor-wizard cwstool
echo "run-wizard: starting build/skipfloor-wizard"
exec "$root/build/skipfloor-wizard" "$@"

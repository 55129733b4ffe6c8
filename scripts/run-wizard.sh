#!/usr/bin/env bash
# run-wizard.sh [SCENE.cws [PARAMS.prm]] - builds the Linux wizard and starts it in this terminal.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" linux
cmake -S "$root" -B "$root/build" -DSKIPFLOOR_BENCH=OFF >/dev/null
cmake --build "$root/build" -j"$(nproc)" --target skipfloor-wizard >/dev/null
exec "$root/build/skipfloor-wizard" "$@"

#!/usr/bin/env bash
# wine-prefix.sh setup|cleanup PREFIX - the Wine prefix that the cross build's test programs run in,
# as the CTest fixture wine_prefix (tests/CMakeLists.txt).
#   setup    ends and removes what an earlier run left in PREFIX, then makes a fresh prefix there
#            with wineboot (about ten seconds)
#   cleanup  ends the prefix's processes and removes it
# WINELOADER names Wine's loader, by its path: Debian's "wine" wrapper takes the 32-bit loader whenever
# wine32 is installed, even where it cannot run. SKIPFLOOR_WINE_32BIT=1 says the programs are i686 ones:
# where the kernel runs no 32-bit programs (scripts/can-run-i386.sh), setup then fails and says why.
set -uo pipefail
stage=${1:?usage: wine-prefix.sh setup|cleanup PREFIX}
prefix=${2:?usage: wine-prefix.sh setup|cleanup PREFIX}
source_dir=${SKIPFLOOR_SOURCE_DIR:-$(cd "$(dirname "$0")/../.." && pwd)}
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=ja_JP.UTF-8
# No X display: Wine must not show its set-up dialogs on the caller's screen.
unset DISPLAY

# remove: ends the prefix's processes (wineserver, the wrapper, serves both loaders) and removes it.
remove() {
  if [ -d "$prefix" ]; then
    wineserver -k >/dev/null 2>&1
    timeout 20 wineserver -w >/dev/null 2>&1
    rm -rf "$prefix"
  fi
}

case $stage in
  setup)
    remove
    if [ "${SKIPFLOOR_WINE_32BIT:-0}" = 1 ] && ! reason=$("$source_dir/scripts/can-run-i386.sh"); then
      echo "wine-prefix: the i686 programs cannot run here: $reason" >&2
      exit 1
    fi
    if [ -z "${WINELOADER:-}" ] || [ ! -x "$WINELOADER" ]; then
      echo "wine-prefix: Wine's loader is missing (WINELOADER='${WINELOADER:-}'): scripts/install-deps.sh all" >&2
      exit 1
    fi
    mkdir -p "$(dirname "$prefix")"
    log=$(mktemp "${TMPDIR:-/tmp}/skipfloor-wineboot.XXXXXX")
    status=0
    timeout 180 "$WINELOADER" wineboot -i >"$log" 2>&1 || status=$?
    if [ "$status" -ne 0 ]; then
      echo "wine-prefix: wineboot -i with $WINELOADER failed (exit $status); its output:" >&2
      sed 's/^/    /' "$log" >&2
    fi
    rm -f "$log"
    exit "$status"
    ;;
  cleanup)
    remove
    ;;
  *)
    echo "wine-prefix: unknown stage '$stage' (setup or cleanup)" >&2
    exit 2
    ;;
esac

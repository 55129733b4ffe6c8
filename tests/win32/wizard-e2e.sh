#!/usr/bin/env bash
# wizard-e2e.sh WIZARD.exe PROBE.exe ARTIFACT_DIR - the Windows wizard end to end, under Wine.
#
# Starts its own X server (Xvfb on a free display) and a fresh Wine prefix in a temporary folder, runs
# skipfloor-wizard.exe in a Wine virtual desktop and drives it with real X input (xdotool): clicks into
# fields, types, presses buttons, opens the system menu. dialog-probe.exe reports what the windows
# show (field texts, focus and selection, the prompt, control positions). Afterwards the files and the
# registry are compared with hand-assembled golden bytes and, when the Linux wizard has been built
# (build/skipfloor-wizard), with what it writes for the same input. Screenshots go to ARTIFACT_DIR.
# Every wait is a bounded poll; the X server, Wine's processes and the prefix are removed at the end,
# also when a case fails or the suite is interrupted.
#
# WINELOADER names Wine's loader for the program (/usr/lib/wine/wine64 for x86-64, /usr/lib/wine/wine
# for i686; CTest sets it). Without it the loader follows from the program's kind. Every Wine
# program of the suite (wineboot, reg, winepath, explorer, the probe) is started through it: Debian's
# "wine" wrapper would take the 32-bit loader whenever wine32 is installed, even where it cannot run.
#   SKIPFLOOR_E2E_CASES     the cases to run, by name (default: all, in the order at the end)
#   SKIPFLOOR_E2E_HIGH_DPI  the DPI of the high_dpi case (default 192, 200 %; 120 and 144 also work)
set -uo pipefail

wizard_exe=$(realpath "$1")
probe_exe=$(realpath "$2")
artifacts=$3
source_dir=${SKIPFLOOR_SOURCE_DIR:-$(cd "$(dirname "$0")/../.." && pwd)}
linux_wizard=${SKIPFLOOR_LINUX_WIZARD:-$source_dir/build/skipfloor-wizard}
cwstool=${SKIPFLOOR_CWSTOOL:-$source_dir/build/cwstool}
golden_dir=$source_dir/tests/builder/golden
if [ -z "${WINELOADER:-}" ]; then
  case $(file -b "$wizard_exe") in
    PE32+*) WINELOADER=/usr/lib/wine/wine64 ;;
    *) WINELOADER=/usr/lib/wine/wine ;;
  esac
fi
export WINELOADER
wine() { "$WINELOADER" "$@"; }

readonly TITLE="スキップフロア準備ウィザード"
readonly ABOUT_TITLE="スキップフロア準備ウィザードのバージョン情報"
readonly LEVELS_TITLE="レベル一覧"
readonly LEVEL_LIST=1100 LEVEL_NOTE=1101   # the levels list's list view and note
readonly PROMPT="数値を入力してください。"
readonly DESKTOP=skipfloor-e2e
readonly SCREEN_SIZE=1024x768           # the Wine desktop of the cases at 100 %
readonly X_SCREEN_SIZE=1600x1200        # room for the dialog at 200 % too
readonly HIGH_DPI=${SKIPFLOOR_E2E_HIGH_DPI:-192}
desktop_size=$SCREEN_SIZE
readonly ENV_KEY='HKCU\Software\Tolvarix\Quorrel\Environment'

mkdir -p "$artifacts"
rm -f "$artifacts"/failed-*.png  # a failure's screenshot from an earlier run would mislead
work=$(mktemp -d "${TMPDIR:-/tmp}/skipfloor-e2e.XXXXXX")
xvfb_pid=
wizard_pid=
failures=0
case_failed=0

# ----------------------------------------------------------------------------------------------------
# Set-up and clean-up

cleanup() {
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    wineserver -k >/dev/null 2>&1
    timeout 20 wineserver -w >/dev/null 2>&1
  fi
  [ -n "$wizard_pid" ] && kill "$wizard_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# poll TENTHS 'COMMAND': runs COMMAND every 0.1 s until it succeeds, at most TENTHS times.
poll() {
  local tries=$1 i
  for ((i = 0; i < tries; i++)); do
    eval "$2" && return 0
    sleep 0.1
  done
  return 1
}

start_x() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "${X_SCREEN_SIZE}x24" -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    if poll 100 'xdotool getdisplaygeometry >/dev/null 2>&1'; then return 0; fi
    kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; xvfb_pid=   # taken meanwhile: the next
  done
  echo "wizard-e2e: no X display could be started (displays :90 to :140); the last Xvfb said:" >&2
  sed 's/^/    /' "$work/xvfb.log" >&2
  return 1
}

start_wine() {
  export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
  local status=0
  timeout 180 "$WINELOADER" wineboot -i >"$work/wineboot.log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    echo "wizard-e2e: wineboot -i with $WINELOADER failed (exit $status); its output:" >&2
    sed 's/^/    /' "$work/wineboot.log" >&2
    return 1
  fi
  end_wine
  # The dialog font "ＭＳ Ｐゴシック" is not on Linux; IPA P Gothic has its metrics, so the dialog gets
  # the layout it was designed for. Without it Wine falls back to a font with other proportions.
  if fc-list : family 2>/dev/null | grep -c IPAPGothic >/dev/null; then
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /t REG_SZ /d IPAPGothic /f \
      >/dev/null 2>&1
  else
    echo "wizard-e2e: font IPAPGothic (fonts-ipafont-gothic) missing; the dialog's layout will differ" >&2
  fi
  # Wine draws the caption buttons and menu marks with its Marlett font (Debian: fonts-wine); a font
  # in the prefix's Fonts folder is found however the distribution placed Wine's own.
  local marlett
  for marlett in /usr/share/wine/fonts/marlett.ttf /usr/lib/wine/fonts/marlett.ttf; do
    [ -f "$marlett" ] && cp "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/" && break
  done
  wizard_w=$(wine winepath -w "$wizard_exe")
  probe_w=$(wine winepath -w "$probe_exe")
}

# ----------------------------------------------------------------------------------------------------
# Driving the wizard

# probe COMMAND TITLE [ARG]: dialog-probe's answer without the CR of the Windows line end.
probe() { wine "$probe_w" "$DESKTOP" "$@" 2>>"$work/probe.log" | tr -d '\r'; return "${PIPESTATUS[0]}"; }

# start_wizard DIR ARGS...: runs the wizard in DIR (its working directory) and waits for its dialog.
start_wizard() {
  local dir=$1
  shift
  (cd "$dir" && exec "$WINELOADER" explorer "/desktop=$DESKTOP,$desktop_size" "$wizard_w" "$@" >"$dir.wine.log" 2>&1) &
  wizard_pid=$!
  dialog_rect=$(probe wait "$TITLE" 30000) || { fail "the wizard's dialog did not open"; return 1; }
}

# wizard_running: the wizard's Windows process of this prefix is alive. Its command line starts with
# the Windows path of the program; the prefix in its environment tells it from other runs.
wizard_running() {
  local pid
  for pid in $(pgrep -f 'skipfloor-wizard\.exe' 2>/dev/null); do
    case "$(tr '\0' ' ' 2>/dev/null <"/proc/$pid/cmdline")" in
      "$wizard_w "*) tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -x "WINEPREFIX=$WINEPREFIX" >/dev/null &&
                       return 0 ;;
    esac
  done
  return 1
}

# wait_for_exit: the wizard's process has ended within 30 s. (Its virtual desktop lingers for some
# seconds more; run_case ends it.)
wait_for_exit() {
  if poll 300 '! wizard_running'; then return 0; fi
  fail "the wizard did not end"
  return 1
}

# end_wine: ends every process of the prefix (the desktop of the last case included) and starts a
# server that stays between the programs, so that each probe starts in a fraction of a second.
end_wine() {
  wineserver -k >/dev/null 2>&1
  timeout 20 wineserver -w >/dev/null 2>&1
  [ -n "$wizard_pid" ] && wait "$wizard_pid" 2>/dev/null
  wizard_pid=
  wineserver -p
}

# click WINDOW_TITLE CONTROL_ID: a real mouse click in the middle of the control ("picture": the
# wizard's section picture, which has no id of its own).
click() {
  local rect l t r b
  if [ "$2" = picture ]; then rect=$(probe picture-rect "$1"); else rect=$(probe rect "$1" "$2"); fi ||
    { fail "no control $2 in '$1'"; return 1; }
  read -r l t r b <<<"$rect"
  local x=$(((l + r) / 2)) y=$(((t + b) / 2)) X Y SCREEN WINDOW  # the last four: getmouselocation
  # --sync waits for the pointer to arrive, which it never does when it is there already.
  eval "$(xdotool getmouselocation --shell)"
  if [ "$X" != "$x" ] || [ "$Y" != "$y" ]; then xdotool mousemove --sync "$x" "$y"; fi
  xdotool click 1
}

# type_into CONTROL_ID TEXT: click into the field, select its whole text, type over it; the field must
# then hold TEXT (typed again up to twice when a character was lost).
type_into() {
  local attempt
  for attempt in 1 2 3; do
    click "$TITLE" "$1" || return 1
    xdotool key --clearmodifiers End shift+Home
    # xdotool types a character that is not on the keyboard (the full-width digits) by mapping a spare
    # key to it for a moment; under load a remapping can overtake a key press and a character is lost.
    # What arrived is read back, and a field that does not hold the text is typed again.
    xdotool type --delay 60 "$2"
    [ "$(probe text "$TITLE" "$1")" = "$2" ] && return 0
    echo "    (field $1 held '$(probe text "$TITLE" "$1")' after typing '$2': typing it again)"
  done
  fail "field $1 did not take '$2'"
  return 1
}

# activate: Wine shows a window that opened before its virtual desktop had the X focus with an
# inactive caption until it is activated anew: a click on the desktop, then one on the dialog's own
# ground under the picture, left of OK (which leaves the focus and the selection as they are; a click
# on the picture would open the levels list).
activate() {
  local l t r b
  read -r l t r b <<<"$(probe picture-rect "$TITLE")"
  xdotool mousemove --sync 5 5 click 1
  xdotool mousemove --sync $((l + 4)) $((b + 6)) click 1
  probe active "$TITLE" 5000 || fail "the dialog did not become active"
}

# system_menu_item UPS: opens the system menu and picks the item UPS places above its end (1: the
# last, the levels list; 2: the About box).
system_menu_item() {
  xdotool key alt+space
  probe menu - 5000 || { fail "the system menu did not open"; return 1; }
  xdotool key $(printf 'Up %.0s' $(seq "$1")) Return
}

# screenshot NAME [RECT]: the screen, or the part given as "left top right bottom", once two captures
# in a row agree (a window may still be repainting after the last click).
screenshot() {
  local l t r b crop=() i
  if [ $# -gt 1 ]; then
    read -r l t r b <<<"$2"
    crop=(-crop "$((r - l))x$((b - t))+$l+$t" +repage)
  fi
  rm -f "$work/shot-previous.png"
  for i in $(seq 1 20); do
    import -window root "${crop[@]}" "$work/shot.png" 2>/dev/null || return 0
    cmp -s "$work/shot.png" "$work/shot-previous.png" && break
    mv "$work/shot.png" "$work/shot-previous.png"
    sleep 0.1
  done
  mv "$work/shot.png" "$artifacts/$1.png" 2>/dev/null || mv "$work/shot-previous.png" "$artifacts/$1.png"
}

# ----------------------------------------------------------------------------------------------------
# Checks

fail() { echo "    FAIL: $*"; case_failed=1; }

expect_eq() {  # what actual expected
  if [ "$2" != "$3" ]; then fail "$1: got '$2', expected '$3'"; else echo "    ok: $1"; fi
}

expect_file() {  # what file expected_bytes_file
  if [ ! -f "$2" ]; then fail "$1: $2 was not written"; return; fi
  if cmp -s "$2" "$3"; then echo "    ok: $1 ($(stat -c %s "$2") bytes)"; else
    fail "$1: differs at $(cmp "$2" "$3" 2>&1 | sed 's/.*differ: //')"
  fi
}

expect_no_file() { if [ -e "$2" ]; then fail "$1: $2 exists"; else echo "    ok: $1"; fi; }

# The section drawing fills its frame: nearly as wide (its earth band runs edge to edge; a 100 %
# drawing in a 200 % frame covers half of it), and at least three quarters as tall (the drawing's own
# white margins are the rest: 86 % at 100 %). The frame's size follows the dialog font's metrics,
# which under Wine's stand-in font grow a little faster than the scale: at 150 % the drawing covers
# 96 % of the frame's width.
expect_picture_fills_frame() {
  local frame_w frame_h drawing_w drawing_h
  read -r frame_w frame_h drawing_w drawing_h <<<"$(probe picture "$TITLE")"
  if [ -z "$drawing_h" ]; then fail "the picture control was not found"; return; fi
  if [ $((drawing_w * 100)) -lt $((frame_w * 90)) ] || [ $((drawing_h * 100)) -lt $((frame_h * 75)) ]; then
    fail "the section drawing ($drawing_w x $drawing_h) does not fill its frame ($frame_w x $frame_h)"
  else
    echo "    ok: the section drawing ($drawing_w x $drawing_h) fills its frame ($frame_w x $frame_h)"
  fi
}

# Bytes from a hex text with '#' comments (the golden files and the hand-written ones below).
from_hex() { perl -ne 's/#.*//; print pack("H*", join("", /([0-9A-Fa-f]{2})/g))'; }

# The thirteen edit texts in tab order, one line.
field_texts() {
  local id texts=()
  for id in 1000 1001 1002 1003 1004 1005 1011 1006 1007 1008 1009 1010 1012; do
    texts+=("$(probe text "$TITLE" "$id")")
  done
  echo "${texts[*]}"
}

# The environment key's values as NAME=VALUE lines, sorted; nothing when the key is missing.
registry_values() {
  wine reg query "$ENV_KEY" 2>/dev/null | tr -d '\r' |
    awk '$2 == "REG_SZ" { print $1 "=" $3 }' | sort
}

readonly DEFAULT_REGISTRY="1stFloorDefaultHeight=210
FloorDefaultHeight=0.5
HouseSizeX=10
HouseSizeY=10
LandSizeX=15
LandSizeY=15
WallDefaultHeight=2.9
WallDefaultThickness=0.1"

# The parameter file by hand: header, then the thirteen doubles in file order; room height 1 and 2
# and the building width can be given (2400, 2400 and 10 by default). 2400 = 40A2C00000000000,
# 2000 = 409F400000000000, 1000 = 408F400000000000, 10 = 4024000000000000, 10.0625 =
# 4024200000000000; little-endian in the file.
param_hex() {
  local h1=${1:-"00 00 00 00 00 C0 A2 40"} h2=${2:-"00 00 00 00 00 C0 A2 40"}
  local width=${3:-"00 00 00 00 00 00 24 40"}
  cat <<EOF
5A 65 6E 64 65 6C 00 00 31 30 30 30 00 00 00 00   # "Zendel" 0 0 "1000" 0 0 0 0
00 00 00 00 00 00 79 40   # foundation height 400
00 00 00 00 00 00 24 40   # building depth 10
$width   # building width
00 00 00 00 00 00 2E 40   # site width 15
00 00 00 00 00 00 2E 40   # site depth 15
00 00 00 00 00 A8 96 40   # level difference 1450
00 00 00 00 00 40 7F 40   # other floors' thickness 500
00 00 00 00 00 40 6A 40   # first-floor thickness 210
$h1   # room height 1
$h2   # room height 2
00 00 00 00 00 C0 A2 40   # room height 3: 2400
00 00 00 00 00 C0 A2 40   # room height 4: 2400
00 00 00 00 00 00 59 40   # wall thickness 100
EOF
}
readonly H_2000="00 00 00 00 00 40 9F 40"
readonly H_1000="00 00 00 00 00 40 8F 40"
readonly W_10_0625="00 00 00 00 00 20 24 40"

# linux_run DIR CONSOLE_INPUT ARGS...: the Linux wizard on the same input, when it has been built.
# Its registry store is a REGEDIT4 file under DIR.
have_linux() { [ -x "$linux_wizard" ]; }
linux_run() {
  local dir=$1 input=$2
  shift 2
  mkdir -p "$dir"
  # In English whatever the suite's locale: the levels are read by their English headings.
  (cd "$dir" && printf '%b' "$input" | HOME="$dir/home" XDG_CONFIG_HOME="$dir/config" LC_ALL=C.UTF-8 \
    "$linux_wizard" "$@" >"$dir.console.log" 2>&1)
}
linux_registry_values() {  # the same NAME=VALUE lines from the Linux store
  find "$1/config" -name '*.reg' -exec cat {} + 2>/dev/null | tr -d '\r' |
    sed -n '/^\[HKEY_CURRENT_USER\\Software\\Tolvarix\\Quorrel\\Environment\]$/,/^\[/p' |
    sed -n 's/^"\([^"]*\)"="\([^"]*\)"$/\1=\2/p' | sort
}

# expect_picture_changed_at BEFORE AFTER: two shots of the section picture differ where the first
# floor's room height and the total height are drawn, and nowhere else: the band of the total height
# (above a fifth of the picture) and the first floor's (between 60 and 80 %), not the upper floors'.
expect_picture_changed_at() {
  local h band y0 y1 want crop differing
  h=$(identify -format %h "$1")
  for band in "0 20 changed" "20 60 same" "60 80 changed" "80 100 same"; do
    read -r y0 y1 want <<<"$band"
    crop="x$((h * (y1 - y0) / 100))+0+$((h * y0 / 100))"
    convert "$1" -crop "$crop" +repage "$work/band-before.png"
    convert "$2" -crop "$crop" +repage "$work/band-after.png"
    differing=$(compare -metric AE "$work/band-before.png" "$work/band-after.png" null: 2>&1)
    differing=${differing%% *}
    if { [ "$want" = changed ] && [ "${differing:-0}" = 0 ]; } || { [ "$want" = same ] && [ "${differing:-0}" != 0 ]; }; then
      fail "the picture between $y0 and $y1 % of its height: $differing pixels changed, expected it $want"
    else
      echo "    ok: the picture between $y0 and $y1 % of its height $want ($differing pixels differ)"
    fi
  done
}

# list_levels / console_levels: the levels list's rows (probe list: a title row without a number
# before each group) and the console's "levels" as the same lines: number, name, height, offset, the
# frame it is measured from, clear height, group (main, mezzanine, site), sorted by number.
list_levels() {
  awk -F'\t' '$1 == "" { g = $2 ~ /基準ブロック/ ? "main" : $2 ~ /中階/ ? "mezzanine" : $2 ~ /外部/ ? "site" : "?" $2 }
               $1 != "" { print $1 "|" $2 "|" $3 "|" $4 "|" $5 "|" $6 "|" g }' | sort -n
}
# The console names its three groups in the language of the run (LANG=ja_JP.UTF-8 here); either
# language's headings are understood.
console_levels() {
  awk '/^  (main floors|基準ブロック)/ { g = "main" } /^  (mezzanines|中階)/ { g = "mezzanine" }
       /^  (site|外部と敷地)/ { g = "site" }
       /^ +#[0-9]+ / { n = $1; sub("#", "", n); from = NF >= 6 ? $5 " " $6 : ""; clear = NF >= 7 ? $7 : ""
                       print n "|" $2 "|" $3 "|" $4 "|" from "|" clear "|" g }' | sort -n
}

# expect_list_fits: the levels list shows every row without scrolling, and its note lies inside the
# dialog, above OK.
expect_list_fits() {
  local rows page
  read -r rows page <<<"$(probe list-page "$LEVELS_TITLE" "$LEVEL_LIST")"
  if [ "${rows:-0}" -lt 28 ] || [ "${page:-0}" -lt "$rows" ]; then
    fail "the levels list shows ${page:-?} of its ${rows:-?} rows at once"
  else
    echo "    ok: the levels list shows all its $rows rows"
  fi
  expect_note_inside
}

# expect_last_row_reachable: scrolled to its end, the levels list shows its last row in full, and no
# horizontal scroll bar covers a row or hides a column.
expect_last_row_reachable() {
  local rows top page across
  read -r rows top page across <<<"$(probe list-end "$LEVELS_TITLE" "$LEVEL_LIST")"
  if [ "${rows:-0}" -lt 28 ] || [ $((${top:-0} + ${page:-0})) -lt "$rows" ] || [ "${across:-1}" != 0 ]; then
    fail "scrolled to its end, the levels list shows rows $((${top:-0} + 1)) to $((${top:-0} + ${page:-0})) of ${rows:-?} in full (horizontal scroll bar: ${across:-?})"
  else
    echo "    ok: scrolled to its end, the levels list shows its last row in full ($page rows at once, no horizontal scroll bar)"
  fi
}

# expect_note_inside: the levels list's note lies inside the dialog, above its OK.
expect_note_inside() {
  local dl dt dr db nl nt nr nb ol ot or ob
  read -r dl dt dr db <<<"$(probe wait "$LEVELS_TITLE" 1000)"
  read -r nl nt nr nb <<<"$(probe rect "$LEVELS_TITLE" "$LEVEL_NOTE")"
  read -r ol ot or ob <<<"$(probe rect "$LEVELS_TITLE" 1)"
  if [ "${nl:-0}" -lt "${dl:-1}" ] || [ "${nr:-1}" -gt "${dr:-0}" ] || [ "${nb:-1}" -gt "${ot:-0}" ] || [ "${ob:-1}" -gt "${db:-0}" ]; then
    fail "the levels note ($nl $nt $nr $nb) or OK ($ol $ot $or $ob) is not inside the dialog ($dl $dt $dr $db)"
  else
    echo "    ok: the levels note and OK lie inside the dialog"
  fi
}

# scene_heights: from cwstool's dump, each frame's number and its height above the site (the sum of
# the positions' z down the chain of frames).
scene_heights() {
  awk '/^ *PART / { match($0, /id [0-9]+/); id = substr($0, RSTART + 3, RLENGTH - 3)
                    match($0, /position \([^)]*\)/); split(substr($0, RSTART + 10, RLENGTH - 11), p, ", ")
                    sum += p[3]; print id, sum }'
}

# ----------------------------------------------------------------------------------------------------
# Cases

# OK with the defaults, no parameters: zendel.cws in the working directory, the eight registry
# values, no parameter file.
case_defaults() {
  local dir=$work/defaults
  mkdir -p "$dir"
  start_wizard "$dir" || return
  expect_eq "fields show the defaults" "$(field_texts)" "400 210 500 2400 2400 2400 2400 1450 15 15 10 10 100"
  expect_eq "focus on 1000, its text selected" "$(probe focus "$TITLE")" "1000 0 3 3"
  activate
  expect_picture_fills_frame
  screenshot wizard-dialog "$dialog_rect"
  click "$TITLE" 1 || return    # OK
  wait_for_exit || return
  from_hex <"$golden_dir/zendel-default.hex" >"$work/zendel-default.bin"
  expect_file "scene file is the hand-assembled default scene" "$dir/zendel.cws" "$work/zendel-default.bin"
  expect_eq "eight registry values" "$(registry_values)" "$DEFAULT_REGISTRY"
  expect_eq "nothing else written" "$(ls "$dir")" "zendel.cws"
  if have_linux; then
    linux_run "$work/defaults-linux" 'ok\n'
    expect_file "same scene file as the Linux wizard" "$dir/zendel.cws" "$work/defaults-linux/zendel.cws"
    expect_eq "same registry values as the Linux wizard" "$(registry_values)" \
      "$(linux_registry_values "$work/defaults-linux")"
  else
    echo "    (no Linux wizard at $linux_wizard: compared with the golden file only)"
  fi
}

# The Linux wizard's registry store in the forms regedit reads and writes: UTF-16LE after its mark
# (regedit's export), UTF-8 after its mark, plain bytes; CR LF, LF or CR line ends; either header.
# Each run sets the eight values and keeps the store's form and every other byte (the bytes expected
# are the text, written by hand, put in the form by iconv, sed and tr), and Wine's regedit imports
# the result with the eight values. Wine's regedit reads no UTF-8 file with a byte-order mark, whoever
# wrote it: that form is checked for its bytes alone.
registry_text() {  # HEADER old|new: the store before the run, or after it, with LF line ends
  local header=$1
  printf '%s\n\n[HKEY_CURRENT_USER\\Software\\Other]\n"Keep"="日本"\n\n' "$header"
  printf '[HKEY_CURRENT_USER\\Software\\Tolvarix\\Quorrel]\n\n'
  printf '[HKEY_CURRENT_USER\\Software\\Tolvarix\\Quorrel\\Environment]\n'
  if [ "$2" = old ]; then printf '"HouseSizeX"="old"\n'; return; fi
  printf '"HouseSizeX"="10"\n"1stFloorDefaultHeight"="210"\n"FloorDefaultHeight"="0.5"\n"HouseSizeY"="10"\n'
  printf '"LandSizeX"="15"\n"LandSizeY"="15"\n"WallDefaultHeight"="2.9"\n"WallDefaultThickness"="0.1"\n'
}
registry_form() {  # FORM: standard input (UTF-8, LF) in that form
  case $1 in
    utf16-crlf) printf '\xFF\xFE'; sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE ;;
    utf8mark-lf) printf '\xEF\xBB\xBF'; cat ;;
    plain-cr) tr '\n' '\r' ;;
    plain-crlf) sed 's/$/\r/' ;;
  esac
}
case_registry_import() {
  if ! have_linux; then
    echo "    (no Linux wizard at $linux_wizard: no store to import)"
    return
  fi
  local form header dir store
  for form in utf16-crlf utf8mark-lf plain-cr plain-crlf; do
    for header in REGEDIT4 'Windows Registry Editor Version 5.00'; do
      dir=$work/import-$form-${header%% *}
      store=$dir/config/skipfloor-wizard/registry.reg
      mkdir -p "${store%/*}"
      registry_text "$header" old | registry_form "$form" >"$store"
      registry_text "$header" new | registry_form "$form" >"$dir.expected"
      linux_run "$dir" 'ok\n'
      expect_file "$form, $header: the eight values, the form and every other byte" "$store" "$dir.expected"
      [ "$form" = utf8mark-lf ] && continue
      wine reg delete 'HKCU\Software\Tolvarix' /f >/dev/null 2>&1
      wine regedit /S "$(wine winepath -w "$store" | tr -d '\r')" >/dev/null 2>&1
      expect_eq "$form, $header: imported by regedit" "$(registry_values)" "$DEFAULT_REGISTRY"
    done
  done
}

# One file named as both scene and parameter file, the second time in other case, as Windows names
# a file: the levels list says so, and OK writes the scene there and not the parameters over it.
case_same_file() {
  local dir=$work/same
  mkdir -p "$dir"
  start_wizard "$dir" s.cws S.CWS || return
  activate
  system_menu_item 1 || return       # the last item: "レベル一覧..."
  local list_rect
  list_rect=$(probe wait "$LEVELS_TITLE" 10000) || { fail "the levels list did not open"; return; }
  expect_eq "the note says the scene alone is written" \
    "$(probe text "$LEVELS_TITLE" "$LEVEL_NOTE" | grep -F 'シーンファイルとパラメーターファイルが同じファイルです')" \
    "シーンファイルとパラメーターファイルが同じファイルです（s.cws）。OK ではシーンだけを書き込み、パラメーターは書き込みません。"
  screenshot levels-same-file "$list_rect"
  xdotool key Escape
  probe gone "$LEVELS_TITLE" 10000 || fail "Esc did not close the levels list"
  click "$TITLE" 1 || return    # OK
  wait_for_exit || return
  from_hex <"$golden_dir/zendel-default.hex" >"$work/zendel-default.bin"
  expect_file "the scene file, not the parameters over it" "$dir/s.cws" "$work/zendel-default.bin"
  expect_eq "one file written" "$(ls "$dir")" "s.cws"
}

# Cancel with two valid paths: nothing written anywhere.
case_cancel() {
  local dir=$work/cancel
  mkdir -p "$dir"
  wine reg delete 'HKCU\Software\Tolvarix' /f >/dev/null 2>&1
  start_wizard "$dir" a.cws p.prm || return
  click "$TITLE" 2 || return    # キャンセル
  wait_for_exit || return
  expect_no_file "no scene file" "$dir/a.cws"
  expect_no_file "no parameter file" "$dir/p.prm"
  expect_eq "no registry values" "$(registry_values)" ""
}

# Letters in "２階部屋高": OK keeps the dialog open with the prompt; then the field has the focus and
# its text selected; 1e3 typed over it is accepted as 1000. The building is 10.0625 m wide, exactly
# halfway between two registry texts: the real registry gets HouseSizeX "10.063" (away from zero).
case_not_a_number() {
  local dir=$work/not-a-number
  mkdir -p "$dir"
  wine reg delete 'HKCU\Software\Tolvarix' /f >/dev/null 2>&1
  start_wizard "$dir" a.cws p.prm || return
  type_into 1009 "10.0625" || return
  type_into 1000 "3x" || return     # two bad fields: the first in exchange order is reported
  type_into 1004 "abc" || return
  click "$TITLE" 1 || return
  local prompt
  prompt=$(probe prompt "$TITLE" 10000) || { fail "no prompt appeared"; return; }
  expect_eq "prompt text" "$prompt" "$PROMPT"
  screenshot prompt "$dialog_rect"
  xdotool key Return                 # closes the prompt
  poll 50 '[ "$(probe focus "$TITLE" | cut -d" " -f1)" = 1000 ]'
  expect_eq "focus on 1000 (first in exchange order), text selected" "$(probe focus "$TITLE")" "1000 0 2 2"
  expect_eq "the dialog stayed open" "$(probe text "$TITLE" 1004)" "abc"
  xdotool type --delay 40 "400"      # typed over the selection
  click "$TITLE" 1 || return
  prompt=$(probe prompt "$TITLE" 10000) || { fail "no second prompt"; return; }
  xdotool key Return
  poll 50 '[ "$(probe focus "$TITLE" | cut -d" " -f1)" = 1004 ]'
  expect_eq "then focus on 1004, text selected" "$(probe focus "$TITLE")" "1004 0 3 3"
  xdotool type --delay 40 "1e3"
  click "$TITLE" 1 || return
  wait_for_exit || return
  param_hex "" "$H_1000" "$W_10_0625" | from_hex >"$work/params-h2-1000.bin"
  expect_file "parameter file with room height 2 = 1000, building width 10.0625" "$dir/p.prm" \
    "$work/params-h2-1000.bin"
  expect_eq "registry HouseSizeX of 10.0625 m" "$(registry_values | grep '^HouseSizeX=')" "HouseSizeX=10.063"
  if have_linux; then
    linux_run "$work/not-a-number-linux" '5 1e3\n11 10.0625\nok\n' a.cws p.prm
    expect_file "same scene file as the Linux wizard" "$dir/a.cws" "$work/not-a-number-linux/a.cws"
    expect_file "same parameter file as the Linux wizard" "$dir/p.prm" "$work/not-a-number-linux/p.prm"
    expect_eq "same registry values as the Linux wizard" "$(registry_values)" \
      "$(linux_registry_values "$work/not-a-number-linux")"
  elif [ ! -s "$dir/a.cws" ]; then
    fail "no scene file written"
  fi
}

# The About box from the system menu (its last item), and back to unchanged values.
case_about() {
  local dir=$work/about
  mkdir -p "$dir"
  start_wizard "$dir" || return
  type_into 1012 "125" || return
  xdotool key alt+space              # the system menu
  probe menu - 5000 || { fail "the system menu did not open"; return; }
  screenshot system-menu "$dialog_rect"
  xdotool key Up Up Return           # the last item but one: "バージョン情報(&A)..."
  local about_rect
  about_rect=$(probe wait "$ABOUT_TITLE" 10000) || { fail "the About box did not open"; return; }
  echo "    ok: About box opened"
  screenshot about-box "$about_rect"
  click "$ABOUT_TITLE" 1 || return   # its OK
  probe gone "$ABOUT_TITLE" 10000 || fail "the About box did not close"
  expect_eq "fields unchanged after the About box" "$(field_texts)" \
    "400 210 500 2400 2400 2400 2400 1450 15 15 10 10 125"
  xdotool key Escape                 # Esc is Cancel
  wait_for_exit || return
  expect_no_file "Esc wrote no scene file" "$dir/zendel.cws"
}

# The levels before OK. The parameter file has room height 2 = 1000; "２４００" in full-width digits,
# as a Japanese input method types them, goes over it. The section picture shows each value as it
# is typed, and the total height; "１階部屋高" 2000 changes the picture there and at the top, and
# nowhere else. The levels list from the system menu has the 25 levels of the Linux console's
# "levels" for the same values; a field that is not a number greys its label and leaves "-" in the
# list. OK then writes the golden scene for room height 1 = 2000, whose frames lie at the heights the
# list showed, and the parameter file with 2400 from the full-width text.
case_levels() {
  local dir=$work/levels
  mkdir -p "$dir"
  param_hex "" "$H_1000" | from_hex >"$dir/p.prm"
  start_wizard "$dir" a.cws p.prm || return
  activate
  local words
  words=$(probe picture-words "$TITLE")
  expect_eq "the picture with the file's values" "$(grep -E '^(全高|２階部屋高) ' <<<"$words")" \
    "全高 10560
２階部屋高 1000"
  type_into 1004 "２４００" || return
  expect_eq "the full-width digits arrived as typed" "$(probe text "$TITLE" 1004)" "２４００"
  poll 30 'probe picture-words "$TITLE" | grep -x "２階部屋高 2400" >/dev/null' || fail "the picture did not follow ２４００"
  expect_eq "the picture's total height" "$(probe picture-words "$TITLE" | grep '^全高')" "全高 11960"

  local picture
  picture=$(probe picture-rect "$TITLE") || { fail "no picture control"; return; }
  screenshot levels-before "$picture"
  mv "$artifacts/levels-before.png" "$work/picture-before.png"
  type_into 1003 "2000" || return
  poll 30 'probe picture-words "$TITLE" | grep -x "１階部屋高 2000" >/dev/null' || fail "the picture did not follow 2000"
  words=$(probe picture-words "$TITLE")
  expect_eq "the picture's words for room height 1 = 2000" "$words" "全高 11560
１階部屋高 2000
２階部屋高 2400
３階部屋高 2400
４階部屋高 2400
他階床厚 500
基準ブロックとのレベル差 1450
１階床厚 210
基礎高さ 400
壁厚 100"
  screenshot levels-picture "$picture"
  expect_picture_changed_at "$work/picture-before.png" "$artifacts/levels-picture.png"
  screenshot levels-dialog "$dialog_rect"

  system_menu_item 1 || return       # the last item: "レベル一覧..."
  local list_rect rows
  list_rect=$(probe wait "$LEVELS_TITLE" 10000) || { fail "the levels list did not open"; return; }
  rows=$(probe list "$LEVELS_TITLE" "$LEVEL_LIST")
  expect_eq "25 levels in the list" "$(grep -c '^[0-9]' <<<"$rows")" 25
  expect_list_fits
  expect_last_row_reachable
  expect_eq "the notes for room height 1 = 2000" \
    "$(probe text "$LEVELS_TITLE" "$LEVEL_NOTE" | grep -E '^(1階の部屋高|中2階の部屋高|　中2階 → 2階)')" \
    "1階の部屋高 2000 mm は、居室の天井高の最低 2100 mm 未満です（建築基準法施行令第21条）。
中2階の部屋高 2000 mm は、居室の天井高の最低 2100 mm 未満です（建築基準法施行令第21条）。
　中2階 → 2階 1050 mm: 5段 × 210 mm、踏面 201～230 mm"
  screenshot levels-list "$list_rect"
  if have_linux; then
    linux_run "$work/levels-linux" '4 2000\nlevels\ncancel\n'
    expect_eq "the list is the Linux console's levels" "$(list_levels <<<"$rows")" \
      "$(console_levels <"$work/levels-linux.console.log")"
  fi
  xdotool key Escape
  probe gone "$LEVELS_TITLE" 10000 || fail "Esc did not close the levels list"

  type_into 1003 "abc" || return
  poll 30 'probe picture-words "$TITLE" | grep -x "１階部屋高" >/dev/null' || fail "the picture kept a value for abc"
  expect_eq "total height without a value" "$(probe picture-words "$TITLE" | grep '^全高')" "全高"
  screenshot levels-not-a-number "$picture"
  system_menu_item 1 || return
  probe wait "$LEVELS_TITLE" 10000 >/dev/null || { fail "the levels list did not open again"; return; }
  expect_eq "levels that need room height 1 show -" \
    "$(probe list "$LEVELS_TITLE" "$LEVEL_LIST" | awk -F'\t' '$4 == "-" { print $1 }' | sort -n | tr '\n' ' ')" \
    "2 20 22 23 "
  expect_eq "the note names the field" "$(probe text "$LEVELS_TITLE" "$LEVEL_NOTE" | sed -n 3p)" \
    "数値ではない欄: １階部屋高。これに依るレベルは「-」です。"
  click "$LEVELS_TITLE" 1 || return  # its OK
  probe gone "$LEVELS_TITLE" 10000 || fail "OK did not close the levels list"
  expect_eq "fields unchanged by the levels list" "$(field_texts)" \
    "400 210 500 abc ２４００ 2400 2400 1450 15 15 10 10 100"

  type_into 1003 "2000" || return
  click "$TITLE" 1 || return         # OK
  wait_for_exit || return
  from_hex <"$golden_dir/zendel-h1-2000.hex" >"$work/zendel-h1-2000.bin"
  expect_file "scene file is the golden one for room height 1 = 2000" "$dir/a.cws" "$work/zendel-h1-2000.bin"
  param_hex "$H_2000" | from_hex >"$work/params-h1-2000.bin"
  expect_file "parameter file with room height 2 = 2400 from ２４００" "$dir/p.prm" "$work/params-h1-2000.bin"
  if [ -x "$cwstool" ]; then
    expect_eq "the list's heights are the saved frames' heights" \
      "$(awk -F'\t' '$1 != "" { print $1, $3 }' <<<"$rows" | sort -n)" \
      "$("$cwstool" dump "$dir/a.cws" | scene_heights | sort -n)"
  else
    echo "    (no cwstool at $cwstool: the saved heights were checked through the golden scene only)"
  fi
}

# The plan notes on Windows. 15000 typed into the building width (metres) makes the mark "注意 2 件
# (F1)" appear in the picture's corner (the width in millimetres, and the building wider than its
# site); F1 opens the levels list with both notes and the figures, and so does a click on the picture;
# 10 makes the mark go. OK then writes the default files: the notes changed nothing.
case_plan_notes() {
  local dir=$work/plan-notes
  mkdir -p "$dir"
  start_wizard "$dir" a.cws p.prm || return
  activate
  expect_eq "no mark for the defaults" "$(probe picture-words "$TITLE" | head -1)" "全高 11960"
  type_into 1009 "15000" || return
  poll 30 '[ "$(probe picture-words "$TITLE" | head -1)" = "注意 2 件 (F1)" ]' ||
    fail "no mark for 15000 m: $(probe picture-words "$TITLE" | head -1)"
  local picture note
  picture=$(probe picture-rect "$TITLE") || { fail "no picture control"; return; }
  screenshot plan-mark "$picture"
  screenshot plan-mark-dialog "$dialog_rect"
  xdotool key F1                       # the focus is in the building width
  probe wait "$LEVELS_TITLE" 10000 >/dev/null || { fail "F1 did not open the levels list"; return; }
  note=$(probe text "$LEVELS_TITLE" "$LEVEL_NOTE")
  expect_eq "the list's notes for 15000 m" "$(grep -E '^建物' <<<"$note")" \
    "建物 幅 15000 m: この欄の単位は m です。15000 mm なら 15 m です。
建物の幅が敷地の幅より 14985 m 大きいです（建物 幅 15000 m、敷地 幅 15 m）。"
  expect_eq "the figures" "$(sed -n '2s/（.*//p' <<<"$note")" "建築面積 150000 m²、敷地面積 225 m²、建蔽率 66666.7 %"
  screenshot plan-notes-list "$(probe wait "$LEVELS_TITLE" 1000)"
  xdotool key Escape
  probe gone "$LEVELS_TITLE" 10000 || fail "Esc did not close the levels list"
  click "$TITLE" "picture" || return
  probe wait "$LEVELS_TITLE" 10000 >/dev/null || { fail "a click on the picture did not open the levels list"; return; }
  echo "    ok: a click on the picture opened the levels list"
  xdotool key Escape
  probe gone "$LEVELS_TITLE" 10000 || fail "Esc did not close the levels list"
  type_into 1009 "10" || return
  poll 30 '[ "$(probe picture-words "$TITLE" | head -1)" = "全高 11960" ]' || fail "the mark stayed for 10 m"
  expect_eq "no mark once mended" "$(probe picture-words "$TITLE" | grep -c '^注意')" 0
  click "$TITLE" 1 || return           # OK
  wait_for_exit || return
  from_hex <"$golden_dir/zendel-default.hex" >"$work/zendel-default.bin"
  expect_file "scene file is the default one" "$dir/a.cws" "$work/zendel-default.bin"
  param_hex | from_hex >"$work/params-default.bin"
  expect_file "parameter file holds the defaults" "$dir/p.prm" "$work/params-default.bin"
}

# Two Japanese paths, flags in between, and a parameter file with room height 1 = 2000: the dialog
# starts from the file, the scene is the golden one for those values, the file is written back as it was.
case_parameter_file() {
  local dir=$work/params
  mkdir -p "$dir/データ"
  param_hex "$H_2000" | from_hex >"$dir/データ/寸法.prm"
  cp "$dir/データ/寸法.prm" "$work/params-h1-2000.bin"
  start_wizard "$dir" -x 'データ\家.cws' /nologo 'データ\寸法.prm' || return
  expect_eq "fields show the parameter file" "$(field_texts)" "400 210 500 2000 2400 2400 2400 1450 15 15 10 10 100"
  click "$TITLE" 1 || return
  wait_for_exit || return
  from_hex <"$golden_dir/zendel-h1-2000.hex" >"$work/zendel-h1-2000.bin"
  expect_file "scene file at the Japanese path" "$dir/データ/家.cws" "$work/zendel-h1-2000.bin"
  expect_file "parameter file written back unchanged" "$dir/データ/寸法.prm" "$work/params-h1-2000.bin"
  if have_linux; then
    mkdir -p "$work/params-linux/データ"
    cp "$work/params-h1-2000.bin" "$work/params-linux/データ/寸法.prm"
    linux_run "$work/params-linux" 'ok\n' -x 'データ/家.cws' 'データ/寸法.prm'
    expect_file "same scene file as the Linux wizard" "$dir/データ/家.cws" "$work/params-linux/データ/家.cws"
    expect_file "same parameter file as the Linux wizard" "$dir/データ/寸法.prm" "$work/params-linux/データ/寸法.prm"
  fi
}

# The display at HIGH_DPI (200 % by default), as Windows' scaling setting gives it: the dialog opens
# at that scale, the section picture fills its frame (not a 100 % picture in the middle of a frame
# twice its size), the About box opens, and OK writes the same files as at 100 %.
set_dpi() {  # DPI: for the programs started after the next end_wine
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 &&
    wine reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
      /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}
case_high_dpi() {
  local dir=$work/high-dpi percent=$((HIGH_DPI * 100 / 96))
  mkdir -p "$dir"
  wine reg delete 'HKCU\Software\Tolvarix' /f >/dev/null 2>&1
  set_dpi "$HIGH_DPI" || { fail "LogPixels could not be set"; return; }
  end_wine
  desktop_size=$X_SCREEN_SIZE
  start_wizard "$dir"
  local started=$?
  desktop_size=$SCREEN_SIZE
  [ "$started" = 0 ] || return
  expect_eq "fields show the defaults" "$(field_texts)" "400 210 500 2400 2400 2400 2400 1450 15 15 10 10 100"
  local l t r b
  read -r l t r b <<<"$dialog_rect"
  # the dialog is 242 dialog units wide: about 363 pixels at 100 %, so more than 1.6 times that at 200 %
  if [ $((r - l)) -lt $((363 * HIGH_DPI / 96 * 8 / 10)) ]; then
    fail "the dialog is $((r - l)) pixels wide: not scaled to $percent %"
  fi
  activate
  expect_picture_fills_frame
  screenshot "wizard-dialog-$percent" "$dialog_rect"
  type_into 1009 "15000" || return   # the mark at this scale, then mended
  poll 30 '[ "$(probe picture-words "$TITLE" | head -1)" = "注意 2 件 (F1)" ]' || fail "no mark at $percent %"
  screenshot "plan-mark-$percent" "$(probe picture-rect "$TITLE")"
  type_into 1009 "10" || return
  system_menu_item 1 || return       # the levels list: its note stays inside at this scale too
  local levels_rect
  levels_rect=$(probe wait "$LEVELS_TITLE" 10000) || { fail "the levels list did not open"; return; }
  expect_note_inside
  screenshot "levels-list-$percent" "$levels_rect"
  expect_last_row_reachable
  screenshot "levels-list-$percent-end" "$levels_rect"
  xdotool key Escape
  probe gone "$LEVELS_TITLE" 10000 || fail "Esc did not close the levels list"
  system_menu_item 2 || return       # the About box
  local about_rect
  about_rect=$(probe wait "$ABOUT_TITLE" 10000) || { fail "the About box did not open"; return; }
  screenshot "about-box-$percent" "$about_rect"
  click "$ABOUT_TITLE" 1 || return
  probe gone "$ABOUT_TITLE" 10000 || fail "the About box did not close"
  click "$TITLE" 1 || return    # OK
  wait_for_exit || return
  from_hex <"$golden_dir/zendel-default.hex" >"$work/zendel-default.bin"
  expect_file "scene file is the hand-assembled default scene" "$dir/zendel.cws" "$work/zendel-default.bin"
  expect_eq "eight registry values" "$(registry_values)" "$DEFAULT_REGISTRY"
  set_dpi 96 || fail "LogPixels could not be set back"
}

# ----------------------------------------------------------------------------------------------------

run_case() {
  local name=$1 started=$SECONDS
  echo "== $name"
  case_failed=0
  "case_$name"
  [ "$case_failed" = 0 ] || screenshot "failed-$name"
  end_wine  # whatever the case left running ends here, so the next one starts clean
  if [ "$case_failed" = 0 ]; then echo "   PASS $name ($((SECONDS - started)) s)"; else
    echo "   FAIL $name"
    failures=$((failures + 1))
  fi
}

start_x || exit 1
start_wine || exit 1
echo "wizard-e2e: display $DISPLAY, prefix $WINEPREFIX"
for name in ${SKIPFLOOR_E2E_CASES:-defaults cancel not_a_number about levels plan_notes parameter_file same_file registry_import high_dpi}; do
  run_case "$name"
done
echo "wizard-e2e: $failures failed; screenshots in $artifacts"
[ "$failures" = 0 ]

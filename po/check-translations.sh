#!/usr/bin/env bash
# check-translations.sh SOURCE_DIR - fails when a text marked for translation in the sources (_() or
# N_()) has no translation in a catalogue of po/, naming it; run by the test suite.
set -euo pipefail
source_dir=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/skipfloor-po.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$source_dir"
# The sources that mark texts are those that include a messages header (the programs' or the
# scene library's).
mapfile -t sources < <(grep -rl --include='*.cpp' --include='*.h' -e 'text/Messages.h' -e 'scenefile/Texts.h' \
                       app builder text platform tools scenefile | grep -v -e '^text/Messages.h$' -e '^scenefile/Texts.h$' | sort)
xgettext --language=C++ --keyword=_ --keyword=N_ --keyword=P_:1,2 --from-code=UTF-8 --add-comments=TRANSLATORS: \
         --output="$work/messages.pot" "${sources[@]}"
status=0
for po in po/*.po; do
  msgcmp "$po" "$work/messages.pot" || { echo "check-translations: $po lacks the texts above" >&2; status=1; }
done
exit "$status"

#!/usr/bin/env bash
# `tsm import` makes one page file a page from a MusicXML score (plain or
# .mxl) and says which; `tsm export` writes pages back as one MusicXML
# score that imports again to the same notes. A malformed, truncated or
# hostile score is refused with "tsm: SCORE: ..." and exit 1, and no page
# file is written; a wrong command line is a usage error.
set -euo pipefail
tsm=$(realpath "$1")
data=$(realpath "$(dirname "$0")/../data/interchange")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAILED: $*"; exit 1; }

"$tsm" import "$data/piano32.musicxml" piano > piano.out 2> piano.err || fail "import: $(cat piano.err)"
grep -qx 'wrote piano1.MUS' piano.out || fail "no first page named: $(cat piano.out)"
[ -f piano2.MUS ] || fail "the second page is missing"
[ "$("$tsm" items piano1.MUS 2> /dev/null | awk '$2 == 1' | wc -l)" -gt 100 ] || fail "the first page has too few notes"

"$tsm" import "$data/long400.mxl" long > long.out 2> long.err || fail "mxl import: $(cat long.err)"
[ "$(ls long*.MUS | wc -l)" -gt 5 ] || fail "the long score made only $(ls long*.MUS | wc -l) pages"

"$tsm" export piano1.MUS piano2.MUS back.musicxml > back.out 2> back.err || fail "export: $(cat back.err)"
grep -q '<score-partwise version="4.0">' back.musicxml || fail "not a MusicXML 4.0 score"
"$tsm" import back.musicxml again > /dev/null 2>&1 || fail "the exported score does not import"
notes() { "$tsm" items "$1" 2> /dev/null | awk '$2 == 1 || $2 == 2' | wc -l; }
[ "$(notes piano1.MUS)" = "$(notes again1.MUS)" ] || fail "the exported score's first page holds other notes"

# Hostile scores: each refused with its reason, and no page written.
printf '<score-partwise><part><measure></part></score-partwise>' > nesting.musicxml
head -c 3000 "$data/piano32.musicxml" > truncated.musicxml
{
  echo '<?xml version="1.0"?><!DOCTYPE s [<!ENTITY a "aaaaaaaaaa">'
  for i in 1 2 3 4 5 6 7 8 9; do echo "<!ENTITY a$i \"&a$((i - 1));&a$((i - 1));&a$((i - 1));&a$((i - 1));&a$((i - 1));\">"; done
  echo ']><score-partwise><work><work-title>&a9;</work-title></work></score-partwise>'
} | sed 's/&a0;/\&a;/g' > laughs.musicxml
sed 's|<divisions>2</divisions>|<divisions>99999999</divisions>|' "$data/piano32.musicxml" > divisions.musicxml
sed '0,/<duration>2<\/duration>/s||<duration>9999999999</duration>|' "$data/piano32.musicxml" > duration.musicxml
python3 - <<'PY'
import zipfile
with zipfile.ZipFile('bomb.mxl', 'w', zipfile.ZIP_DEFLATED) as z:
    z.writestr('META-INF/container.xml', '<container><rootfiles><rootfile full-path="s.xml"/></rootfiles></container>')
    z.writestr('s.xml', b'\0' * (40 << 20))
PY
for score in nesting truncated laughs divisions duration; do
  status=0
  "$tsm" import "$score.musicxml" "$score" > /dev/null 2> "$score.err" || status=$?
  [ "$status" = 1 ] || fail "$score: exit $status"
  grep -q "^tsm: $score.musicxml: " "$score.err" || fail "$score: no reason given: $(cat "$score.err")"
  ls "$score"*.MUS > /dev/null 2>&1 && fail "$score: a page was written"
done
status=0
"$tsm" import bomb.mxl bomb > /dev/null 2> bomb.err || status=$?
[ "$status" = 1 ] || fail "zip bomb: exit $status"
grep -q "more than 32 MB" bomb.err || fail "zip bomb: $(cat bomb.err)"
ls bomb*.MUS > /dev/null 2>&1 && fail "zip bomb: a page was written"

status=0
"$tsm" import "$data/piano32.musicxml" > /dev/null 2>&1 || status=$?
[ "$status" = 2 ] || fail "import without OUT: exit $status"
echo "musicxml: ok"

#!/usr/bin/env bash
# `tsm layout` lays a continuous run of bars out as numbered page files:
# each form of bar list makes its pages beside the run or in --out; a list
# that does not add up and a folder that cannot be written exit 1 with the
# message and leave every page file as it was; a wrong command line is a
# usage error.
set -euo pipefail
tsm=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAILED: $*"; exit 1; }

printf 'STAFF\n2 1 3 0 4 -60 12 1\n!save run.mus\n' | "$tsm" --root root exec > /dev/null
cat > run.in <<'TXT'
TR/4 4/C4/D4/E4/F4/M/G4/A4/B4/C5/M/C5/B4/A4/G4/M/F4/E4/D4/C4/M/E4/F4/G4/A4/M/G4/F4/E4/D4/M/
  C4/E4/G4/C5/M/B4/A4/G4/F4/M/E4/D4/C4/D4/M/E4/F4/G4/A4/M/B4/A4/G4/F4/M/C5/M;
Q/Q/Q/Q/Q/Q/Q/Q/Q/Q/Q/Q/Q/Q/Q/Q/Q/Q/Q/Q/Q/Q/Q/Q/Q/Q/Q/Q/Q/Q/Q/Q/Q/Q/Q/Q/Q/Q/Q/Q/Q/Q/Q/Q/W;
;
;
;
TXT
"$tsm" --root root input run.mus run.in --staff 1 --range 2 520 > /dev/null 2>&1 || fail "the run could not be typed"

# The run itself, far past the right edge, is drawn without complaint.
drawn=$("$tsm" --root root dlist run.mus 2>&1) || fail "the run cannot be drawn"
if echo "$drawn" | grep -q '\*\*\*'; then fail "drawing the run complains: $(echo "$drawn" | grep '\*\*\*')"; fi

# bars, staves and notes of a page file: "BARS STAVES NOTES"
shape() { "$tsm" --root root items "$1" 2> /dev/null | awk '$2 == 14 { b++ } $2 == 8 { s++ } $2 == 1 { n++ } END { print b + 0, s + 0, n + 0 }'; }

out=$("$tsm" --root root layout run.mus --bars 3) || fail "three lines: $out"
echo "$out" | grep -q '^Line lengths: Average=' || fail "no line-length report: $out"
[ -f run1.PAG ] && [ ! -f run2.PAG ] || fail "three lines of one staff are not one page: $(ls)"
[ "$(shape run1.PAG)" = "12 3 45" ] || fail "run1.PAG holds $(shape run1.PAG), not 12 bars on 3 staves with 45 notes"

mkdir pages
"$tsm" --root root layout run.mus --bars "4 4 0 4" --out pages > /dev/null || fail "bars per line"
[ "$(shape pages/run1.PAG)" = "8 2 32" ] || fail "page 1 of 4 4 0 4 holds $(shape pages/run1.PAG)"
[ "$(shape pages/run2.PAG)" = "4 1 13" ] || fail "page 2 of 4 4 0 4 holds $(shape pages/run2.PAG)"

"$tsm" --root root layout run.mus --bars "2,3" --out pages > /dev/null || fail "pages and lines"
[ "$(shape pages/run2.PAG)" = "6 3 21" ] || fail "page 2 of 2,3 holds $(shape pages/run2.PAG)"
mkdir paired
"$tsm" --root root layout run.mus --bars "8 203 12 101" --out paired > /dev/null || fail "paired"
[ "$(shape paired/run3.PAG)" = "4 1 13" ] || fail "page 3 of 8 203 12 101 holds $(shape paired/run3.PAG)"

before=$(cat pages/run1.PAG pages/run2.PAG | md5sum)
status=0
out=$("$tsm" --root root layout run.mus --bars "4 4" --out pages) || status=$?
[ "$status" = 1 ] || fail "a list that does not add up exits $status, not 1"
echo "$out" | grep -qx 'Wrong number of bars.   8/ 12 needed.' || fail "no wrong-number message: $out"
status=0
out=$("$tsm" --root root layout run.mus --bars "201" --out pages) || status=$?
[ "$status" = 1 ] || fail "more than 200 lines exits $status, not 1"
echo "$out" | grep -qx '\*\*\*\*\*\* nbar OVERFLOW >200 \*\*\*\*\*\*' || fail "no overflow message: $out"
status=0
out=$("$tsm" --root root layout run.mus --bars 2 --out run.mus/pages) || status=$?
[ "$status" = 1 ] || fail "an unwritable folder exits $status, not 1"
echo "$out" | grep -q '^\*\*\*Error writing file:' || fail "no writing error: $out"
[ "$(cat pages/run1.PAG pages/run2.PAG | md5sum)" = "$before" ] || fail "a refused layout changed a page file"
[ ! -f pages/run3.PAG ] || fail "a refused layout left a page file"

for args in "run.mus" "run.mus --bars" "--bars 3" "run.mus other.mus --bars 3" "run.mus --bars 3 --width 9"; do
  status=0
  # shellcheck disable=SC2086
  "$tsm" --root root layout $args > /dev/null 2>&1 || status=$?
  [ "$status" = 2 ] || fail "tsm layout $args exits $status, not 2"
done
echo "layout verb: ok"

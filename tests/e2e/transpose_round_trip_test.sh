#!/usr/bin/env bash
# tsm transpose on the typed example: a system taken down a major second and
# back up is the page it was, item for item; up a major second and back down
# every pitch, key and accidental comes back, while the opening the three
# sharps of A major widened stays wide (justifying shares out room in
# proportion to the spacing it finds, and gives none back); a transposition
# by 0 changes nothing; a refused transposition leaves the page file as it
# was and exits 1; a misread amount is a usage error.
set -euo pipefail
tsm=$(realpath "$1")
examples=$(realpath "$(dirname "$0")/../../examples")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAILED: $*"; exit 1; }
items() { "$tsm" --root root items "$1" 2> /dev/null; }
# The items without their positions: P3, and P6 of lines, slurs, beams and trills.
pitches() { items "$1" | awk '{ $4 = "-"; if ($2 >= 4 && $2 <= 7) $7 = "-"; print }'; }

cp "$examples/typed.mus" page.mus
items page.mus > original.items

"$tsm" --root root transpose page.mus --staves 7 8 --by -M2 --out down.mus > /dev/null 2>&1 || fail "down a major second"
"$tsm" --root root transpose down.mus --staves 7 8 --by +M2 --out back.mus > /dev/null 2>&1 || fail "back up"
cmp -s <(items down.mus) original.items && fail "down a major second changed nothing"
diff -u original.items <(items back.mus) > down_up.diff || fail "down and up again is not the page:"$'\n'"$(head -20 down_up.diff)"

"$tsm" --root root transpose page.mus --staves 7 8 --by +M2 --out up.mus > /dev/null 2>&1 || fail "up a major second"
"$tsm" --root root transpose up.mus --staves 7 8 --by -M2 --out again.mus > /dev/null 2>&1 || fail "back down"
diff -u <(pitches page.mus) <(pitches again.mus) > up_down.diff || fail "up and down again moved pitches:"$'\n'"$(head -20 up_down.diff)"

cp page.mus same.mus
"$tsm" --root root transpose same.mus --staves 1 8 --by 0 > /dev/null 2>&1 || fail "transposing by 0 in place"
diff -u original.items <(items same.mus) > same.diff || fail "transposing by 0 changed the page:"$'\n'"$(head -20 same.diff)"

cp page.mus kept.mus
set +e
"$tsm" --root root transpose kept.mus --staves 7 8 --by +31 > refused.out 2>&1
refused=$?
"$tsm" --root root transpose kept.mus --staves 7 8 --by +M3x > usage.out 2>&1
usage=$?
set -e
[ "$refused" = 1 ] || fail "an amount past the key-change table exited $refused, not 1"
grep -q '^\*\*\* Transpose by -30 to 30 half steps' refused.out || fail "no message for the refused amount: $(cat refused.out)"
cmp -s page.mus kept.mus || fail "a refused transposition changed the page file"
[ "$usage" = 2 ] || fail "a misread amount exited $usage, not 2"
echo "transposition round trips hold"

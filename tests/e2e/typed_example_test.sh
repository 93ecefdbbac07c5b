#!/usr/bin/env bash
# The typed example is what its input files make: the page of staves, the
# four systems fed through tsm input and lined up by beats give the
# committed page item for item; and every note sounds at the pitch typed
# (G major: its melody and bass in the order of the input files, top
# system first, each system's treble staff before its bass).
set -euo pipefail
tsm=$(realpath "$1")
examples=$(realpath "$(dirname "$0")/../../examples")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAILED: $*"; exit 1; }
command -v midicsv > /dev/null || { echo "SKIPPED: midicsv is missing (scripts/setup.sh)"; exit 0; }

"$tsm" --root root exec < "$examples/typed.tsm" > /dev/null
for system in "1 7" "2 5" "3 3" "4 1"; do
  set -- $system
  "$tsm" --root root input typed.mus "$examples/typed/system$1.in" --staff "$2" 2> input.err > /dev/null \
    || fail "system $1 was not taken: $(cat input.err)"
done
printf 'L 7 2\nX\nL 5 2\nX\nL 3 2\nX\nL 1 2\nX\nSM\n' | "$tsm" --root root exec typed.mus > /dev/null
"$tsm" --root root items typed.mus > made.items 2> /dev/null
"$tsm" --root root items "$examples/typed.mus" > committed.items 2> /dev/null
diff -u committed.items made.items > items.diff || fail "the input files no longer make examples/typed.mus:"$'\n'"$(head -40 items.diff)"

"$tsm" --root root midi "$examples/typed.mus" typed.mid 2> /dev/null
midicsv typed.mid | awk -F', ' '$3 == "Note_on_c" && $6 > 0 { printf "%s ", $5 }' > pitches.txt
# G4=67 A4=69 B4=71 C5=72 D5=74 E5=76; G2=43 A2=45 B2=47 C3=48 D3=50 E3=52 D2=38.
expected="67 69 71 72 74 76 74 72 71 69 71 72 69 67 43 50 48 43 50 38 43 \
71 72 74 76 74 72 71 69 67 69 71 72 74 72 71 69 67 43 50 52 48 43 \
74 71 72 69 71 67 69 71 72 43 47 45 48 43 50 48 \
71 69 67 69 71 71 71 69 69 71 69 67 43 50 43 50 38 43 "
[ "$(cat pitches.txt)" = "$expected" ] || fail "the notes do not sound as typed:"$'\n'"$(cat pitches.txt)"
exit 0

#!/usr/bin/env bash
# `tsm input` feeds an input file to a staff as typed input reads a file:
# comments, comment blocks and continued lines are passed over or joined,
# five stage lines make a stretch on the staff and the next five one on the
# staff above, the page is saved to --out; a line that cannot be read says
# so with its column and exits 1 leaving the page file as it was; a wrong
# command line is a usage error.
set -euo pipefail
tsm=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAILED: $*"; exit 1; }

printf 'GD\nSTAFF\nSTAFF\n!save two.mus\n' | "$tsm" --root root exec > /dev/null
cat > piece.txt <<'TXT'
% staff 1: a bass line
BA/4 4/C3/G2/
  C3/G2;            % continued from the line above
H/H/H/H;
;
;
1 2;
%% a comment block
C/D/E;
%%
TR/C5/B4/A/G;
Q/Q/Q/Q;
S 1 2;
1 4;
;
TXT
"$tsm" --root root input two.mus piece.txt --staff 1 --range 10 190 --out fed.mus 2> fed.err || fail "input: $(cat fed.err)"
"$tsm" --root root items fed.mus > fed.items
notes1=$(awk '$2 == 1 && $3 == 1' fed.items | wc -l)
notes2=$(awk '$2 == 1 && $3 == 2' fed.items | wc -l)
[ "$notes1" = 4 ] || fail "staff 1 holds $notes1 notes, not 4:"$'\n'"$(cat fed.items)"
[ "$notes2" = 4 ] || fail "staff 2 holds $notes2 notes, not 4:"$'\n'"$(cat fed.items)"
grep -q '^[0-9]*: 5 1 ' fed.items || fail "no slur on staff 1"
grep -q '^[0-9]*: 6 2 ' fed.items || fail "no beam on staff 2"
# The bass clef puts C3 (step 22) at P4 6; the treble C5 (step 36) at P4 8.
awk '$2 == 1 && $3 == 1 { print $5; exit }' fed.items | grep -qx 6 || fail "C3 under the bass clef is not at step 6"
awk '$2 == 1 && $3 == 2 { print $5; exit }' fed.items | grep -qx 8 || fail "C5 under the treble clef is not at step 8"
"$tsm" --root root items two.mus | grep -q '^3:' && fail "the page itself was changed"

printf 'C/D/E;\nQ/Q/Y;\n' > bad.txt
cp two.mus bad.mus
before=$(md5sum < bad.mus)
status=0
"$tsm" --root root input bad.mus bad.txt --staff 1 2> bad.err || status=$?
[ "$status" = 1 ] || fail "a bad line exits $status, not 1"
grep -q '^\*\*\* Syntax Error \*\*\*  Q/Q/Y;$' bad.err || fail "no syntax error shown: $(cat bad.err)"
grep -q '^                          ^$' bad.err || fail "no caret under the column: $(cat bad.err)"
[ "$(md5sum < bad.mus)" = "$before" ] || fail "the page file changed after a bad line"

for args in "two.mus piece.txt" "two.mus piece.txt --staff 0" "two.mus --staff 1" "two.mus piece.txt --staff 1 --range 9 3"; do
  status=0
  # shellcheck disable=SC2086
  "$tsm" --root root input $args 2> /dev/null || status=$?
  [ "$status" = 2 ] || fail "tsm input $args exits $status, not 2"
done
status=0
"$tsm" --root root input two.mus missing.txt --staff 1 2> missing.err || status=$?
[ "$status" = 1 ] || fail "a missing input file exits $status, not 1"
echo "typed input from files: ok"

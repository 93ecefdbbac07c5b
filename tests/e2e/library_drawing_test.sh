#!/usr/bin/env bash
# A drawing made in the drawing editor and saved as 5001 is written in the
# drawing-file layout (index, names, X, Y, pens), and code 9 items draw it
# at their place at a quarter of the staff step scale times P6 and P7; a
# damaged drawing file is refused and left byte for byte as it was.
set -euo pipefail
tsm=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAILED: $1"; exit 1; }

# Editor origin (8000, -32000); one drawing unit is 100 editor page units.
cat > draw.tsm <<'SCRIPT'
DRW
1
!click 8000 -32000
!click 10800 -32000
!click 10800 -29200
JMP
!click 8000 -29200
!click 9400 -30600
SA
5001 Corner mark
X
STAFF
LIB
5 5001
X
LIB
3 100 5 5001 6 2 7 0.5
X
!save page.mus
SCRIPT
"$tsm" --root "$work/root" exec < draw.tsm > /dev/null
file=root/tonesmith/cantlib/LB5000.DRW
[ -f "$file" ] || fail "the drawing file LB5000.DRW was not written"
words() { od -A n "$@" "$file" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'; }
[ "$(stat -c %s "$file")" = $((22 + 240 + 5 * 10)) ] || fail "file size"
[ "$(words -t d2 -N 22)" = "1 1 6 6 6 6 6 6 6 6 6" ] || fail "index table: $(words -t d2 -N 22)"
[ "$(od -A n -c -j 46 -N 24 "$file" | tr -d ' \n')" = "Cornermark" ] || fail "slot 1 name"
[ "$(od -A n -c -j 22 -N 24 "$file" | tr -d '\n' | tr -s ' ')" = " " ] || fail "slot 0 name is not blank"
[ "$(words -t f4 -j 262 -N 20)" = "0 28 28 0 14" ] || fail "X: $(words -t f4 -j 262 -N 20)"
[ "$(words -t f4 -j 282 -N 20)" = "0 0 28 28 14" ] || fail "Y: $(words -t f4 -j 282 -N 20)"
[ "$(words -t d2 -j 302 -N 10)" = "1 0 0 1 0" ] || fail "pens: $(words -t d2 -j 302 -N 10)"

# Staff 1 puts step -4 at page Y -25225, display Y -10225 (offset -15000).
# The first item draws at 6.25 page units per drawing unit, the second at
# X 15000 with P6 2 and P7 0.5: 12.5 across and 3.125 up.
"$tsm" --root "$work/root" dlist page.mus 2> /dev/null | grep -v '^[TS] ' | tail -10 > actual.txt
expected=$(cat <<'LIST'
0 -10225 1 0
175 -10225 0 0
175 -10050 0 0
0 -10050 1 0
87 -10137 0 0
15000 -10225 1 0
15350 -10225 0 0
15350 -10137 0 0
15000 -10137 1 0
15175 -10181 0 0
LIST
)
diff -u <(echo "$expected") actual.txt || fail "the code 9 items' place and scale"

# A damaged file of the same library is refused and left as it was.
printf 'damaged' > root/tonesmith/cantlib/LB5010.DRW
status=0
printf 'DRW\n1\n!click 8000 -32000\nSA\n5012 Other\n' | "$tsm" --root "$work/root" exec > damaged.out || status=$?
[ "$status" = 1 ] || fail "saving into a damaged file did not fail (exit $status)"
grep -qx '\*\*\* LB5010.DRW is damaged: the library is left as it was.' damaged.out || fail "no damaged-file message"
[ "$(cat root/tonesmith/cantlib/LB5010.DRW)" = damaged ] || fail "the damaged file was changed"

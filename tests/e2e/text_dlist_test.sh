#!/usr/bin/env bash
# A text item made through tsm goes to the text list under the screen face
# of its font, at its size and place; and the characters of a Times-Roman
# string stand where the AFM advance widths of the URW Times put them, to
# within the metric file's rounding (half of 1/638 of the size a character).
set -euo pipefail
tsm=$1
afm=/usr/share/fonts/type1/urw-base35/NimbusRoman-Regular.afm
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# "loco" moved to P3 = 20 and set in font 5 (Helvetica-Bold) at 24 points.
printf 'STAFF\nLOG\nX\nIF P1=16 THEN P3=20, P6=5, P7=24\n!save face.mus\n' | "$tsm" --root "$work/root" exec > /dev/null
"$tsm" --root "$work/root" dlist face.mus 2> /dev/null | grep -A1 '^T "Switzerland' > face.txt
if ! printf 'T "Switzerland Bold" 20.833334 0 0 0 700 0 0 1\nS 3000 -7171 "loco"\n' | diff -u - face.txt; then
  echo "FAILED: a text item's block in tsm dlist"
  exit 1
fi

# At 72 points (4000 page units a size) with a spacing far below a page
# unit, every character is placed on its own.
printf 'STAFF\nLOG\nX\nIF P1=16 THEN P7=72, P5=0.0001\n!save widths.mus\n' | "$tsm" --root "$work/root" exec > /dev/null
"$tsm" --root "$work/root" dlist widths.mus 2> /dev/null | grep -A4 '^T "Times New Roman" ' | grep '^S' > widths.txt
awk -v afm="$afm" '
  BEGIN {
    while ((getline line < afm) > 0) {
      if (split(line, f, " ") >= 8 && f[1] == "C" && f[4] == "WX" && f[7] == "N") wx[f[8]] = f[5]
    }
    em = 4000; text = "loco"; expected = 0
  }
  {
    i = NR - 1
    if ($4 != "\"" substr(text, NR, 1) "\"") { print "character " NR " is " $4; bad = 1 }
    slack = i * 0.5 * em / 638 + 1
    if ($2 < expected - slack || $2 > expected + slack) { print "character " NR " at " $2 ", AFM says " expected; bad = 1 }
    expected += wx[substr(text, NR, 1)] * em / 1000
  }
  END { if (NR != 4) { print NR " characters placed"; bad = 1 }; exit bad }
' widths.txt || { echo "FAILED: Times-Roman widths against the AFM"; exit 1; }

#!/usr/bin/env bash
# An included EPS picture prints where, as large and as turned as the screen
# frames it: the picture here is itself a frame with a cross, so Ghostscript's
# picture of the printed page and the screen's picture of the same page meet
# line for line. A placement a little off differs in over 1 % of the blocks
# (a turn of 30 degrees left out: 1.5 %), the right one in under 0.1 %.
# A picture whose file is gone is left out with a message, exit status 1,
# and the rest of the page still printed; so is every picture in a PDF.
set -euo pipefail
tsm=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
compare=$(dirname "$tsm")/png_compare
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
command -v gs > /dev/null || { echo "Ghostscript (gs) is not installed: run scripts/setup.sh"; exit 1; }
fail() { echo "FAILED: $*"; exit 1; }
gs_png() { gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pnggray -r50 "$@"; }

cat > frame.eps <<'PS'
%!PS-Adobe-3.0 EPSF-3.0
%%BoundingBox: 10 20 154 92
%%EndComments
0.5 setlinewidth
newpath 10 20 moveto 154 20 lineto 154 92 lineto 10 92 lineto closepath
10 20 moveto 154 92 lineto 154 20 moveto 10 92 lineto stroke
showpage
%%EOF
PS
printf 'STA\nX\nEPS 1.5\nframe.eps\n3 60 4 -30 6 30\nX\nSA\npage.mus\n' | "$tsm" --root root exec > /dev/null
"$tsm" --root root items page.mus | grep -q '^2: 15 1 60 -30 1.5 30 144 72 ' || fail "the picture item: $("$tsm" --root root items page.mus)"

"$tsm" --root root export page.mus page.ps 2> export.err || fail "the page did not print: $(cat export.err)"
"$tsm" --root root export page.mus page.eps 2>> export.err || fail "the EPS was not written: $(cat export.err)"
"$tsm" --root root export page.mus screen.png --dpi 50 2> /dev/null
gs_png -sPAPERSIZE=letter -sOutputFile=print.png page.ps > gs.out 2>&1 && [ ! -s gs.out ] || fail "Ghostscript on page.ps: $(cat gs.out)"
gs_png -dEPSCrop -sOutputFile=eps.png page.eps > gs.out 2>&1 && [ ! -s gs.out ] || fail "Ghostscript on page.eps: $(cat gs.out)"
"$compare" print.png screen.png 0.005 5 || fail "the printed picture lies elsewhere than its frame on the screen"
grep -qx ' % -- START USER-ADDED POSTSCRIPT CODE --' page.ps || fail "no start line of the picture's code"
# The EPS bounding box holds the whole turned picture: its top right corner
# reaches 170 points right of its left edge.
read -r left _ right _ < <(sed -n 's/^%%BoundingBox://p' page.eps)
[ $((right - left)) -ge 170 ] || fail "the bounding box misses the picture: $left .. $right"

# 13 1 makes the screen show the name instead of the frame.
printf 'I 2\n13 1\n\nX\nSA\nnamed.mus\n' | "$tsm" --root root exec page.mus > /dev/null
"$tsm" --root root dlist named.mus | grep -q 'S .* "frame.eps"' || fail "the name is not shown"

# A PDF cannot run the picture's PostScript: it says so and exits 1.
status=0
"$tsm" --root root export page.mus page.pdf 2> pdf.err || status=$?
[ "$status" = 1 ] || fail "a PDF without its picture exited $status, not 1"
grep -qF 'cannot be placed in a PDF (print the page to PostScript or EPS for it): frame.eps' pdf.err \
  || fail "no message for the picture left out of the PDF: $(cat pdf.err)"
[ -s page.pdf ] || fail "the rest of the page was not written to the PDF"

mv frame.eps gone.eps
status=0
"$tsm" --root root export page.mus again.ps 2> missing.err || status=$?
[ "$status" = 1 ] || fail "a missing picture exited $status, not 1"
grep -qF '*** File not found. *** frame.eps' missing.err || fail "no message for the missing picture: $(cat missing.err)"
grep -q 'showpage' again.ps || fail "the rest of the page was not printed"
grep -q 'sav2' again.ps && fail "a missing picture left its wrapper"
exit 0

#!/usr/bin/env bash
# The PDF of a page is its PostScript in another form: Ghostscript renders
# the PDF and the PostScript of every example page, and of one page turned,
# mirrored, and scaled onto A4, to the same picture, and poppler's renderer
# (what most PDF readers on this system use) draws the PDF alike.
#
# Tolerance: at 144 dpi Ghostscript makes the two pictures pixel for pixel
# the same; 0.1 % of the pixels may differ, for a Ghostscript that rounds
# the two paths apart. Poppler smooths thin lines its own way: compared by
# the mean grey of 8 x 8 pixel blocks (an eighteenth of an inch) it differs
# from Ghostscript in under 0.01 % of the blocks, while the page moved by a
# twentieth of an inch differs in 2 %. So 0.5 % of the blocks may differ.
set -euo pipefail
tsm=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
root_dir=$(cd "$(dirname "$0")/../.." && pwd)
compare=$(dirname "$tsm")/png_compare
command -v gs > /dev/null || { echo "Ghostscript (gs) is not installed: run scripts/setup.sh"; exit 1; }
[ -x "$compare" ] || { echo "png_compare not built beside tsm"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir root
gs_png() { gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pnggray -r144 "$@"; }

status=0
# One case: a name, the page, the paper Ghostscript gives the PostScript, the print flags.
check() {
  local name=$1 page=$2 paper=$3
  shift 3
  "$tsm" --root root export "$page" "$name.ps" "$@" 2> /dev/null
  "$tsm" --root root export "$page" "$name.pdf" "$@" 2> "$name.err" || { echo "FAILED: $name.pdf: $(cat "$name.err")"; status=1; return; }
  gs_png -sPAPERSIZE="$paper" -sOutputFile="$name.ps.png" "$name.ps" > gs.out 2>&1
  if ! gs_png -sOutputFile="$name.pdf.png" "$name.pdf" > gs.out 2>&1 || [ -s gs.out ]; then
    echo "FAILED: Ghostscript reported on $name.pdf:"; cat gs.out; status=1; return
  fi
  "$compare" "$name.pdf.png" "$name.ps.png" 0.001 > /dev/null || { echo "FAILED: $name.pdf renders unlike its PostScript"; status=1; }
  if command -v pdftoppm > /dev/null; then
    pdftoppm -gray -r 144 -png -singlefile "$name.pdf" "$name.poppler"
    "$compare" "$name.poppler.png" "$name.ps.png" 0.005 8 > /dev/null \
      || { echo "FAILED: poppler draws $name.pdf unlike its PostScript"; status=1; }
  fi
}

for page in "$root_dir"/examples/*.mus; do
  check "$(basename "$page" .mus)" "$page" letter
done
song="$root_dir/examples/song.mus"
check song-rotated "$song" letter --rotate
check song-mirrored "$song" letter --mirror
check song-a4 "$song" a4 --size 0.8 --paper a4 --offsets 0.3,9 --line-width 3
exit $status

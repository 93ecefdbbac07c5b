#!/usr/bin/env bash
# The PostScript and EPS of every example page render in Ghostscript without
# an error and look like the screen picture of the page; an output file that
# cannot be written is refused with a message and an earlier file is kept.
#
# Tolerance: both pictures are 50 dpi and compared by their mean grey over
# 5 x 5 pixel blocks (a tenth of an inch), since Ghostscript and the screen
# painter put a thin line on neighbouring rows. The example pages differ in
# under 3 % of the blocks; a blank sheet differs from them in 15 to 32 %, a
# lost system of staves in well over 5 %. So 5 % of the blocks may differ.
set -euo pipefail
tsm=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
root_dir=$(cd "$(dirname "$0")/../.." && pwd)
compare=$(dirname "$tsm")/png_compare
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
cd "$work"
if ! command -v gs >/dev/null; then
  echo "Ghostscript (gs) is not installed: run scripts/setup.sh"; exit 1
fi
[ -x "$compare" ] || { echo "png_compare not built beside tsm"; exit 1; }
gs_png() { gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pnggray -r50 "$@"; }

status=0
for page in "$root_dir"/examples/*.mus; do
  name=$(basename "$page" .mus)
  "$tsm" --root root export "$page" "$name.ps" 2>/dev/null
  "$tsm" --root root export "$page" "$name.eps" 2>/dev/null
  "$tsm" --root root export "$page" "$name.screen.png" --dpi 50 2>/dev/null
  if ! gs_png -sPAPERSIZE=letter -sOutputFile="$name.ps.png" "$name.ps" > gs.out 2>&1 || [ -s gs.out ]; then
    echo "FAILED: Ghostscript reported on $name.ps:"; cat gs.out; status=1
  fi
  if ! gs_png -dEPSCrop -sOutputFile="$name.eps.png" "$name.eps" > gs.out 2>&1 || [ -s gs.out ]; then
    echo "FAILED: Ghostscript reported on $name.eps:"; cat gs.out; status=1
  fi
  head -1 "$name.eps" | grep -qx '%!PS-Adobe-2.0 EPSF-1.2' || { echo "FAILED: $name.eps header"; status=1; }
  if grep -q 'statusdict begin' "$name.eps"; then echo "FAILED: $name.eps selects a paper"; status=1; fi
  "$compare" "$name.ps.png" "$name.screen.png" 0.05 5 || { echo "FAILED: $name.ps looks unlike the screen"; status=1; }
done

# Unwritable outputs: a missing folder, a read-only file with earlier content.
page="$root_dir/examples/song.mus"
if "$tsm" --root root export "$page" missing/out.ps 2> err.txt; then echo "FAILED: wrote into a missing folder"; status=1; fi
grep -q 'Error writing file' err.txt || { echo "FAILED: no message for a missing folder"; cat err.txt; status=1; }
echo "earlier good file" > kept.eps
chmod a-w kept.eps
set +e
"$tsm" --root root export "$page" kept.eps 2> err.txt
code=$?
set -e
[ "$code" = 1 ] || { echo "FAILED: a read-only output exited $code, not 1"; status=1; }
grep -q 'read-only' err.txt || { echo "FAILED: no read-only message"; cat err.txt; status=1; }
[ "$(cat kept.eps)" = "earlier good file" ] || { echo "FAILED: the earlier file was changed"; status=1; }
"$tsm" --root root export "$page" out.ps --size 0 2>/dev/null && { echo "FAILED: a size of 0 was taken"; status=1; }
exit $status

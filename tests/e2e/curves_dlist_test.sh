#!/usr/bin/env bash
# tsm dlist prints a beam's corners and a slur's ends where they belong, on
# staff 1 of size 1 (step 0 at page Y -24525; the display list holds page
# Y + 15000).
set -euo pipefail
tsm=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
status=0

# P7 = 12: two beams above the notes, stems up. The first runs from
# (P3 10 x 150 + a head, 17 x 25 = 1925, step 5 + 7) to (4925, step 9 + 7),
# a zig-zag of strokes 35 apart downward; the second lies 10.5 x 25 = 262.5
# lower (truncated).
printf 'STAFF\n12 1\nBEAM\n2 1 3 10 4 5 5 9 6 30 7 12\nX\n!save beam.mus\n' | "$tsm" --root "$work/root" exec > /dev/null
"$tsm" --root "$work/root" dlist beam.mus 2> /dev/null | tail -n +11 > beam.txt
if ! diff -u - beam.txt <<'LIST'
1925 -7425 1 0
4925 -6725 0 0
4925 -6760 0 0
1925 -7460 0 0
1925 -7495 0 0
4925 -6795 0 0
4925 -6830 0 0
1925 -7687 1 0
4925 -6987 0 0
4925 -7022 0 0
1925 -7722 0 0
1925 -7757 0 0
4925 -7057 0 0
4925 -7092 0 0
LIST
then
  echo "FAILED: tsm dlist of a two-beam beam"
  status=1
fi

# A slur from P3 20 at step 12 to P6 40 at step 10, arch 2 steps: its
# first edge starts at the head middle (3000 + 8.5 x 25, truncated) with
# pen 2 and its 34th point (3000 page units: 2 x 15 + 2 x 2 points) is the
# far end; the second edge comes back to the start.
printf 'STAFF\n12 1\nSLUR\n2 1 3 20 4 12 5 10 6 40 7 2\nX\n!save slur.mus\n' | "$tsm" --root "$work/root" exec > /dev/null
"$tsm" --root "$work/root" dlist slur.mus 2> /dev/null | tail -n +11 > slur.txt
ends=$(sed -n '1p;34p;$p' slur.txt)
if ! diff -u - <(echo "$ends") <<'LIST'
3212 -7425 2 0
6212 -7775 0 0
3212 -7425 0 0
LIST
then
  echo "FAILED: tsm dlist of a slur's ends"
  status=1
fi
if [ "$(wc -l < slur.txt)" != 68 ]; then
  echo "FAILED: a slur of 3000 page units with an arch of 2 steps is 2 x 34 points"
  status=1
fi
exit $status

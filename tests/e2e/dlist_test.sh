#!/usr/bin/env bash
# tsm dlist prints a staff of five lines and a bar line as the display list
# holds them: one triple a line, page Y less the -15000 display offset.
set -euo pipefail
tsm=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
printf 'STAFF\n12 1\nBAR\n2 1 3 100\n!save page.mus\n' | "$tsm" --root "$work/root" exec > /dev/null
"$tsm" --root "$work/root" dlist page.mus > actual.txt 2> /dev/null
expected=$(cat <<'LIST'
0 -9000 1 0
30000 -9000 0 0
0 -8650 1 0
30000 -8650 0 0
0 -8300 1 0
30000 -8300 0 0
0 -7950 1 0
30000 -7950 0 0
0 -7600 1 0
30000 -7600 0 0
15000 -9000 1 0
15000 -7600 0 0
LIST
)
if ! diff -u <(echo "$expected") actual.txt; then
  echo "FAILED: tsm dlist of a staff and a bar line"
  exit 1
fi
# The staff number goes to the text list as a block of the number font.
printf 'STAFF\n!save numbered.mus\n' | "$tsm" --root "$work/root" exec > /dev/null
"$tsm" --root "$work/root" dlist numbered.mus 2> /dev/null | grep -A1 '^T ' > text.txt
printf 'T "Times New Roman Bold" 11.5 0 0 0 700 0 0 1\nS -1200 -8658 "1"\n' | diff -u - text.txt

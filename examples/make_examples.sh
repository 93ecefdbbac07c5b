#!/usr/bin/env bash
# Rebuilds the example pages from their tsm scripts:
#   examples/make_examples.sh [build]
set -euo pipefail
build=${1:-build}
tsm=$(cd "$build" && pwd)/bin/tsm
cd "$(dirname "$0")"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
for script in *.tsm; do
  "$tsm" --root "$root" exec < "$script" > /dev/null
  echo "made ${script%.tsm}.mus"
done
# The typed piece: one input file a system, top system first (its bass staff
# first), then each system lined up by beats.
for system in "1 7" "2 5" "3 3" "4 1"; do
  set -- $system
  "$tsm" --root "$root" input typed.mus "typed/system$1.in" --staff "$2" > /dev/null 2>&1
done
printf 'L 7 2\nX\nL 5 2\nX\nL 3 2\nX\nL 1 2\nX\nSM\n' | "$tsm" --root "$root" exec typed.mus > /dev/null
echo "made typed.mus from typed/system1-4.in"
# The long piece: one continuous run of 64 bars on two staves, sixteen bars
# an input file, each along the run after the last; then laid out as pages
# of four systems, bars 1-32 on two pages and bars 33-64 on two more.
"$tsm" --root "$root" exec < long/long.tsm > /dev/null
for part in "1 2 650" "2 652 1290" "3 1292 1930" "4 1932 2570"; do
  set -- $part
  "$tsm" --root "$root" input long/long.mus "long/bars$1.in" --staff 1 --range "$2" "$3" > /dev/null 2>&1
done
"$tsm" --root "$root" layout long/long.mus --bars "32 204 64 204" --out . > /dev/null
echo "made long/long.mus from long/bars1-4.in, laid out as long1-4.PAG"

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

#!/usr/bin/env bash
# Runs the desktop program offscreen on a script and checks the page it
# saved with tsm, and that the screenshot was written.
set -euo pipefail
tonesmith=$1 tsm=$2 case_dir=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work"
timeout 30 "$tonesmith" --root "$work" --exec "$case_dir/input.tsm" --screenshot "$work/shot.png" > out.txt 2> err.txt || {
  echo "tonesmith failed:"; cat out.txt err.txt; exit 1; }
[ -s shot.png ] || { echo "no screenshot written"; exit 1; }
"$tsm" --root "$work" items result.mus 2>/dev/null | grep -E '^[0-9]+:' > items.txt
if ! diff -u "$case_dir/expected.items" items.txt; then
  echo "--- what tonesmith printed:"; cat out.txt
  exit 1
fi
echo "1 passed, 0 failed"

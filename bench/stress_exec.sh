#!/usr/bin/env bash
# Hostile typed lines through tsm exec: 100,000 seeded random lines (real
# commands, numbers, clicks, keys and garbage) must run in bounded time and
# leave a page that saves, reads back and draws.
#   stress_exec.sh TSM RANDOM_LINES [COUNT] [SEED]
set -euo pipefail
tsm=$(realpath "$1")
random_lines=$(realpath "$2")
count=${3:-100000}
seed=${4:-20261207}
limit=${STRESS_SECONDS:-1200}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir root

{ "$random_lines" "$seed" "$count"; echo "!save stress.mus"; } > lines.tsm
start=$(date +%s)
status=0
timeout "$limit" "$tsm" --root root exec < lines.tsm > exec.out 2>&1 || status=$?
seconds=$(( $(date +%s) - start ))
if [ "$status" -eq 124 ]; then
  echo "stress: $count lines did not finish within $limit s" >&2
  exit 1
fi
if [ "$status" -gt 1 ]; then
  echo "stress: tsm exec ended with status $status" >&2
  tail -20 exec.out >&2
  exit 1
fi
grep -q '^File saved' exec.out || { echo "stress: the page was not saved" >&2; tail -20 exec.out >&2; exit 1; }
timeout 60 "$tsm" --root root items stress.mus > items.out 2> items.err
timeout 60 "$tsm" --root root dlist stress.mus > dlist.out 2> dlist.err
echo "stress: $count lines (seed $seed) in $seconds s; the saved page holds $(wc -l < items.out) items and draws $(grep -c -v '^[TS] ' dlist.out || true) points"

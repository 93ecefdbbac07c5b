#!/usr/bin/env bash
# The whole-process time of `tsm export PAGE OUT.pdf` (start-up, the page
# read and drawn for print, the fonts embedded, the PDF and its safe write,
# without Qt), for a page (default the piano
# example): hyperfine when installed, else the median of a loop of runs.
#   export_time.sh TSM [PAGE] [RUNS]
set -euo pipefail
tsm=$(realpath "$1")
page=$(realpath "${2:-$(dirname "$0")/../examples/piano.mus}")
runs=${3:-30}
target_ms=20

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/root"
command=("$tsm" --root "$work/root" export "$page" "$work/out.pdf")
"${command[@]}"  # once before timing: the disk cache warms

if command -v hyperfine > /dev/null 2>&1; then
  hyperfine --warmup 3 --runs "$runs" --export-json "$work/times.json" "$(printf '%q ' "${command[@]}")" > /dev/null
  median_ms=$(python3 -c 'import json,sys; print(f"{json.load(open(sys.argv[1]))["results"][0]["median"]*1000:.1f}")' \
              "$work/times.json")
else
  for ((i = 0; i < runs; ++i)); do
    start=$(date +%s%N)
    "${command[@]}"
    echo $(( ($(date +%s%N) - start) / 1000 ))
  done | sort -n > "$work/times.txt"
  median_us=$(sed -n "$(( (runs + 1) / 2 ))p" "$work/times.txt")
  median_ms=$(awk -v us="$median_us" 'BEGIN { printf "%.1f", us / 1000 }')
fi
echo "tsm export $(basename "$page") to PDF, whole process: median $median_ms ms over $runs runs (aim: under $target_ms ms)"

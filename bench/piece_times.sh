#!/usr/bin/env bash
# Whole-process times of our tools on a MusicXML piece: the import (read,
# placed by justification and laid out into pages), then one PDF of every
# page it made, and the MIDI file of each page. Each step is timed RUNS
# times and its median taken; the MIDI times are summed over the pages.
#   piece_times.sh TSM PIECE [RUNS]
# Prints one line, "name pages import_ms pdf_ms midi_ms", for peers.sh,
# and a sentence for people on standard error.
set -euo pipefail
tsm=$(realpath "$1")
piece=$(realpath "$2")
runs=${3:-9}
name=$(basename "$piece" .musicxml)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/root"

# The median in milliseconds of RUNS runs of a command.
median_ms() {
  local i start
  for ((i = 0; i < runs; ++i)); do
    start=$(date +%s%N)
    "$@" > /dev/null 2>&1 || { echo "piece_times: failed: $*" >&2; exit 1; }
    echo $(( ($(date +%s%N) - start) / 1000 ))
  done | sort -n | sed -n "$(( (runs + 1) / 2 ))p" | awk '{ printf "%.1f", $1 / 1000 }'
}

import=("$tsm" --root "$work/root" import "$piece" "$work/$name")
"${import[@]}" > /dev/null  # once before timing: the disk cache warms, the pages exist
import_ms=$(median_ms "${import[@]}")
mapfile -t pages < <(ls -v "$work/$name"*.MUS)  # page 10 after page 9
# The PDF is one document of every page, as a user prints a piece; the
# MIDI file is one a page.
pdf_ms=$(median_ms "$tsm" --root "$work/root" export "${pages[@]}" "$work/piece.pdf")
midi_ms=0
for page in "${pages[@]}"; do
  one=$(median_ms "$tsm" --root "$work/root" midi "$page" "$work/page.mid")
  midi_ms=$(awk -v a="$midi_ms" -v b="$one" 'BEGIN { printf "%.1f", a + b }')
done
echo "$name: import and layout $import_ms ms (${#pages[@]} pages); one PDF of every page $pdf_ms ms; MIDI of every page $midi_ms ms (medians of $runs whole-process runs)" >&2
echo "$name ${#pages[@]} $import_ms $pdf_ms $midi_ms"

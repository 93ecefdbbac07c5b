#!/usr/bin/env bash
# The same two MusicXML pieces through LilyPond, MuseScore 3 and us, side
# by side in one run: whole-process times to a PDF and to a MIDI file, and
# the ratios theirs / ours. Installs the two programs from Debian's
# packages when they are missing.
#   peers.sh TSM [PIECES_DIR] [RUNS]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tsm=$(realpath "$1")
pieces=$(realpath "${2:-$here/../../shared/bench-pieces}")
runs=${3:-5}

if [ ! -d "$pieces" ]; then
  echo "peers: no pieces folder at $pieces (give it as the second argument)" >&2
  exit 1
fi

need=()
command -v lilypond > /dev/null 2>&1 || need+=(lilypond)
command -v mscore3 > /dev/null 2>&1 || need+=(musescore3)
if [ ${#need[@]} -gt 0 ]; then
  echo "Installing: ${need[*]}"
  run=()
  [ "$(id -u)" -eq 0 ] || run=(sudo)
  DEBIAN_FRONTEND=noninteractive "${run[@]}" apt-get install -y -q "${need[@]}" > /dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen  # MuseScore without a display

median_ms() {
  local i start
  for ((i = 0; i < runs; ++i)); do
    start=$(date +%s%N)
    "$@" > /dev/null 2>&1
    echo $(( ($(date +%s%N) - start) / 1000 ))
  done | sort -n | sed -n "$(( (runs + 1) / 2 ))p" | awk '{ printf "%.1f", $1 / 1000 }'
}

# LilyPond reads MusicXML through its own converter: the conversion is
# part of its time. For MIDI alone the pages are not printed.
lilypond_pdf() { musicxml2ly --no-beaming -o "$work/ly.ly" "$1" && lilypond -s -o "$work/ly" "$work/ly.ly"; }
lilypond_midi() { musicxml2ly -m -o "$work/lym.ly" "$1" && lilypond -s -dno-print-pages -o "$work/lym" "$work/lym.ly"; }
mscore_pdf() { mscore3 -o "$work/ms.pdf" "$1"; }
mscore_midi() { mscore3 -o "$work/ms.mid" "$1"; }

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", a / b }'; }

printf '%-10s %-8s %10s %10s %10s %12s %12s\n' piece output ours_ms lilypond mscore3 lily/ours mscore/ours
for piece in "$pieces"/*.musicxml; do
  read -r name _pages import_ms pdf_ms midi_ms < <(bash "$here/piece_times.sh" "$tsm" "$piece" "$runs")
  ours_pdf=$(awk -v a="$import_ms" -v b="$pdf_ms" 'BEGIN { printf "%.1f", a + b }')
  ours_midi=$(awk -v a="$import_ms" -v b="$midi_ms" 'BEGIN { printf "%.1f", a + b }')
  lily_pdf=$(median_ms lilypond_pdf "$piece")
  lily_midi=$(median_ms lilypond_midi "$piece")
  ms_pdf=$(median_ms mscore_pdf "$piece")
  ms_midi=$(median_ms mscore_midi "$piece")
  printf '%-10s %-8s %10s %10s %10s %12s %12s\n' "$name" PDF "$ours_pdf" "$lily_pdf" "$ms_pdf" \
    "$(ratio "$lily_pdf" "$ours_pdf")" "$(ratio "$ms_pdf" "$ours_pdf")"
  printf '%-10s %-8s %10s %10s %10s %12s %12s\n' "$name" MIDI "$ours_midi" "$lily_midi" "$ms_midi" \
    "$(ratio "$lily_midi" "$ours_midi")" "$(ratio "$ms_midi" "$ours_midi")"
done
echo "Whole-process medians of $runs runs in ms; ours = import and layout, then every page's PDF (or MIDI file)."

# What we write must open in the other programs: each bench piece is
# imported, its pages exported as MusicXML, and that file typeset by both.
for piece in "$pieces"/*.musicxml; do
  name=$(basename "$piece" .musicxml)
  rm -f "$work"/back*.MUS
  "$tsm" --root "$work" import "$piece" "$work/back" > /dev/null
  mapfile -t pages < <(ls -v "$work"/back*.MUS)  # page 10 after page 9
  "$tsm" --root "$work" export "${pages[@]}" "$work/back.musicxml" > /dev/null
  lily=failed
  lilypond_pdf "$work/back.musicxml" > /dev/null 2>&1 && [ -s "$work/ly.pdf" ] && lily=opened
  rm -f "$work/ms.pdf"
  muse=failed
  mscore_pdf "$work/back.musicxml" > /dev/null 2>&1 && [ -s "$work/ms.pdf" ] && muse=opened
  echo "$name exported as MusicXML by us: LilyPond $lily it, MuseScore 3 $muse it"
done

#!/usr/bin/env bash
# The set-up the user makes is the one PLA plays: the behaviour case
# midi_setup_save_load_play saves two tracks to MIDILIST, replaces them, reads
# them back and plays; the work file that midicsv reads holds those tracks
# with their channels, programs, loudness and transposition, and the set-up
# file holds what the Sound dialog saved.
set -euo pipefail
tsm=$(realpath "$1")
here=$(realpath "$(dirname "$0")")
case_dir="$here/../data/e2e/midi_setup_save_load_play"
command -v midicsv > /dev/null || { echo "SKIPPED: midicsv is missing (scripts/setup.sh)"; exit 0; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAILED: $*"; exit 1; }

"$tsm" --root root exec < "$case_dir/input.tsm" > out.txt 2>&1 || true
grep -qx 'TRK  1 ch 3 instr 40 ampl 100 transp 0 staves 2' MIDILIST || fail "MIDILIST lacks track 1:"$'\n'"$(cat MIDILIST)"
grep -qx 'TRK  2 ch 4 instr 0 ampl 90 transp -12 staves 1' MIDILIST || fail "MIDILIST lacks track 2:"$'\n'"$(cat MIDILIST)"
grep -qx 'TMP 96' MIDILIST || fail "MIDILIST lacks the tempo"
midi=$(find root -iname tsmmidi.mid | head -1)
[ -n "$midi" ] || fail "PLA wrote no work file:"$'\n'"$(cat out.txt)"
midicsv "$midi" > play.csv || fail "midicsv cannot read the work file"
has() { grep -qx -- "$1" play.csv || fail "$2: no \"$1\" in"$'\n'"$(cat play.csv)"; }
has '0, 0, Header, 1, 3, 96' "two tracks and the tempo track"
has '2, 0, Program_c, 3, 40' "staff 2 plays program 40 on channel 3"
has '2, 0, Note_on_c, 3, 64, 100' "staff 2's E at velocity 100"
has '2, 240, Note_off_c, 3, 64, 100' "the tempo words leave 48: a quarter lasts 240 ticks"
has '3, 0, Program_c, 4, 0' "staff 1 plays program 0 on channel 4"
has '3, 0, Note_on_c, 4, 52, 90' "staff 1's E an octave down at velocity 90"
exit 0

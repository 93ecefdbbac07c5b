#!/usr/bin/env bash
# tsm export PAGE OUT.wav renders the page's MIDI file through the built-in
# synthesizer without any audio device: the example piano page gives
# audible sound lasting as long as its music at the tempo (twice as long at
# half the tempo, but for the fixed pause before each track's end); a page without notes, a missing soundfont or a file that
# cannot be written exit 1 and leave an earlier file alone; bad flags exit 2.
set -euo pipefail
tsm=$(realpath "$1")
levels="$(dirname "$tsm")/wav_levels"
here=$(realpath "$(dirname "$0")")
examples=$(realpath "$here/../../examples")
[ -x "$levels" ] || { echo "FAILED: the test tool $levels is not built"; exit 1; }
command -v midicsv > /dev/null || { echo "SKIPPED: midicsv is missing (scripts/setup.sh)"; exit 0; }
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAILED: $*"; exit 1; }
value() { sed -n "s/.*$1=\([0-9.]*\).*/\1/p" <<< "$2"; }
# Is |a - b| within c?
near() { awk -v a="$1" -v b="$2" -v c="$3" 'BEGIN { d = a - b; if (d < 0) d = -d; exit !(d <= c) }'; }
above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }

# The music's length from an independent reading of the same page's MIDI
# file: the last track's end, in seconds at its division and tempo.
musicSeconds() {
  midicsv "$1" | awk -F', ' '$3 == "Header" { division = $6 } $3 == "Tempo" { tempo = $4 }
    $3 == "End_track" && $2 > end { end = $2 } END { printf "%.3f\n", end / division * tempo / 1000000 }'
}

for tempo in 120 60; do
  "$tsm" --root root export "$examples/piano.mus" "piano$tempo.wav" --tempo "$tempo" 2> export.err ||
    fail "the piano page did not render at tempo $tempo: $(cat export.err)"
  "$tsm" --root root midi "$examples/piano.mus" "piano$tempo.mid" --tempo "$tempo" 2> /dev/null
  measured=$("$levels" "piano$tempo.wav") || fail "piano$tempo.wav is not a WAV file"
  expected=$(musicSeconds "piano$tempo.mid")
  seconds=$(value seconds "$measured")
  near "$seconds" "$expected" 0.05 || fail "at tempo $tempo the sound lasts $seconds s, the music $expected s"
  above "$(value peak "$measured")" 0.05 || fail "the piano page is silent at its peak: $measured"
  above "$(value rms "$measured")" 0.005 || fail "the piano page is nearly silent: $measured"
done
# At tempo 120 a quarter is half a second: the piano page's last note ends after 66.5 quarters
# (33.25 s) and its tracks end 63 ticks later (96 a quarter), at 33.578 s; at tempo 60 the
# notes take twice as long and the 63 ticks stay as they are: 66.828 s.
near "$(value seconds "$("$levels" piano120.wav)")" 33.578 0.05 || fail "the piano page does not last 33.578 s at tempo 120"
near "$(value seconds "$("$levels" piano60.wav)")" 66.828 0.05 || fail "the piano page does not last 66.828 s at tempo 60"

printf 'REST\n2 1 3 30 7 1\n!save rests.mus\n' | "$tsm" --root root exec > /dev/null
cp piano120.wav kept.wav
status=0
"$tsm" --root root export rests.mus kept.wav 2> rests.err || status=$?
[ "$status" = 1 ] || fail "a page without notes exited $status, not 1"
grep -qx 'No Notes Found.' rests.err || fail "no \"No Notes Found.\": $(cat rests.err)"
cmp -s kept.wav piano120.wav || fail "a page without notes replaced the earlier file"

status=0
"$tsm" --root root export "$examples/piano.mus" kept.wav --soundfont missing.sf2 2> font.err || status=$?
[ "$status" = 1 ] || fail "a missing soundfont exited $status, not 1"
grep -q 'cannot render kept.wav: there is no soundfont missing.sf2' font.err || fail "no clear message for a missing soundfont: $(cat font.err)"
cmp -s kept.wav piano120.wav || fail "a missing soundfont replaced the earlier file"

chmod 0444 kept.wav
status=0
"$tsm" --root root export "$examples/piano.mus" kept.wav 2> readonly.err || status=$?
[ "$status" = 1 ] || fail "a read-only WAV file exited $status, not 1"
grep -q 'cannot write kept.wav: it is read-only' readonly.err || fail "no clear message for a read-only file: $(cat readonly.err)"
chmod 0644 kept.wav

for flags in "--tempo" "--tempo 1001" "--soundfont" "--track 16:0:100:0:1" "--loud"; do
  status=0
  # shellcheck disable=SC2086
  "$tsm" --root root export "$examples/piano.mus" bad.wav $flags 2> /dev/null || status=$?
  [ "$status" = 2 ] || fail "\"$flags\" exited $status, not 2"
done
[ ! -e bad.wav ] || fail "a usage error wrote a file"
ls -A | grep -q 'tsm-' && fail "a temporary file was left behind: $(ls -A)"
exit 0

#!/usr/bin/env bash
# tsm midi writes a standard MIDI file that an independent reader (midicsv)
# takes whole, whose notes are the page's pitches and lengths: the example
# song and piano pages, a small page byte for byte, the tempo and track
# flags; a page without notes still gets a valid file but exit status 1;
# a file that cannot be written, or a page that cannot be read, exits 1 and
# leaves an earlier good file as it was; a bad flag is a usage error.
set -euo pipefail
tsm=$(realpath "$1")
here=$(realpath "$(dirname "$0")")
examples=$(realpath "$here/../../examples")
data="$here/../data/midi"
command -v midicsv > /dev/null || { echo "SKIPPED: midicsv is missing (scripts/setup.sh)"; exit 0; }
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAILED: $*"; exit 1; }

# midicsv's lines of one track: "tick note" for note-ons and note-offs, and
# every note-on matched by a note-off.
notes() { midicsv "$1" | awk -F', ' -v t="$2" -v k="$3" '$1 == t && $3 == k { print $2, $5 }'; }
paired() {
  local on off
  on=$(midicsv "$1" | grep -c Note_on_c || true)
  off=$(midicsv "$1" | grep -c Note_off_c || true)
  [ "$on" -gt 0 ] && [ "$on" = "$off" ] || fail "$1 has $on note-ons and $off note-offs"
}
has() { grep -qxF -- "$2" <<< "$1" || fail "$3: no \"$2\" in"$'\n'"$1"; }

"$tsm" --root root midi "$examples/song.mus" song.mid 2> song.err || fail "the song did not export: $(cat song.err)"
midicsv song.mid > song.csv || fail "midicsv cannot read the song"
grep -qx '0, 0, Header, 1, 3, 96' song.csv || fail "the song's header is not 3 tracks at 96:"$'\n'"$(head -1 song.csv)"
paired song.mid
melody=$(notes song.mid 2 Note_on_c); melodyOff=$(notes song.mid 2 Note_off_c)
has "$melody" "0 67" "the song's first note is G above middle C at 0"
has "$melodyOff" "96 67" "the first note lasts a quarter"
has "$melody" "576 72" "the tied C starts at bar 2's third beat"
has "$melodyOff" "864 72" "the tied C is held three quarters"
bass=$(notes song.mid 3 Note_on_c)
has "$bass" "0 48" "the bass chord's C"
has "$bass" "0 55" "the bass chord's G"
has "$(notes song.mid 3 Note_off_c)" "384 48" "the bass chord lasts a whole note"
[ "$(grep -c Note_on_c song.csv)" = 46 ] || fail "the song does not strike 46 notes (47 less the tied one)"

"$tsm" --root root midi "$examples/song.mus" slow.mid --tempo 60 2> /dev/null || fail "the song at tempo 60 did not export"
has "$(notes slow.mid 2 Note_off_c)" "192 67" "at tempo 60 a quarter is 192 ticks"

"$tsm" --root root midi "$examples/song.mus" one.mid --track 3:40:90:12:4,2 2> /dev/null || fail "the song's melody alone did not export"
midicsv one.mid > one.csv
grep -qx '0, 0, Header, 1, 2, 96' one.csv || fail "one track is not 2 tracks in the header"
grep -qx '2, 0, Program_c, 3, 40' one.csv || fail "the track's program is not 40 on channel 3"
grep -qx '2, 0, Note_on_c, 3, 79, 90' one.csv || fail "the melody is not transposed an octave up at velocity 90"

"$tsm" --root root midi "$examples/piano.mus" piano.mid 2> piano.err || fail "the piano page did not export: $(cat piano.err)"
paired piano.mid
grep -qx '0, 0, Header, 1, 3, 96' <(midicsv piano.mid) || fail "the piano page is not two hands"
grep -q '^Missing rhythm (P7): Item=  30,  Staff=  8,  Pos.=106.375$' piano.err || fail "no message for the rest without rhythm: $(cat piano.err)"
right=$(notes piano.mid 2 Note_on_c)
has "$right" "0 67" "the right hand starts on G"
has "$right" "576 75" "the key and a sharp: D sharp"

"$tsm" --root root exec < "$data/small_page.tsm" > /dev/null || fail "the small page could not be made"
"$tsm" --root root midi small.mus small.mid 2> /dev/null || fail "the small page did not export"
od -An -tx1 -v small.mid | diff -u "$data/small_page.hex" - || fail "the small page's MIDI file is not the one checked by hand"

printf 'NOTE\n2 1 3 10 4 90 7 1\nNOTE\n2 1 3 20 4 3 7 1\nREST\n2 1 3 30 7 1\n!save range.mus\n' | "$tsm" --root root exec > /dev/null
"$tsm" --root root midi range.mus range.mid 2> range.err || fail "a page with a note out of range did not export"
grep -qx '\*\*\* Notes beyond the MIDI range (0 to 127) were left out: 1' range.err || fail "no message for the note out of range: $(cat range.err)"
[ "$(notes range.mid 2 Note_on_c)" = "96 64" ] || fail "the note in range is not played in its place"

printf 'REST\n2 1 3 30 7 1\n!save rests.mus\n' | "$tsm" --root root exec > /dev/null
status=0
"$tsm" --root root midi rests.mus rests.mid 2> rests.err || status=$?
[ "$status" = 1 ] || fail "a page without notes exited $status, not 1"
grep -qx 'No Notes Found.' rests.err || fail "no \"No Notes Found.\": $(cat rests.err)"
[ "$(midicsv rests.mid | head -1)" = '0, 0, Header, 1, 1, 96' ] || fail "a page without notes has no valid file"

cp song.mid good.mid
chmod 0444 good.mid
status=0
"$tsm" --root root midi "$examples/song.mus" good.mid 2> readonly.err || status=$?
[ "$status" = 1 ] || fail "a read-only MIDI file exited $status, not 1"
grep -q 'cannot write good.mid: it is read-only' readonly.err || fail "no clear message for a read-only file: $(cat readonly.err)"
chmod 0644 good.mid
status=0
"$tsm" --root root midi "$examples/song.mus" missing/folder/x.mid 2> missing.err || status=$?
[ "$status" = 1 ] || fail "a MIDI file into a missing folder exited $status, not 1"
grep -q 'there is no folder missing/folder' missing.err || fail "no clear message for a missing folder: $(cat missing.err)"
status=0
"$tsm" --root root midi no-such-page.mus good.mid 2> nopage.err || status=$?
[ "$status" = 1 ] || fail "a page that cannot be read exited $status, not 1"
cmp -s good.mid song.mid || fail "a page that cannot be read replaced the earlier file"

for flags in "--tempo" "--tempo fast" "--tempo 1001" "--track 16:0:100:0:1" "--track 0:0:100:0" "--loud"; do
  status=0
  # shellcheck disable=SC2086
  "$tsm" --root root midi "$examples/song.mus" bad.mid $flags 2> bad.err || status=$?
  [ "$status" = 2 ] || fail "\"$flags\" exited $status, not 2"
done
[ ! -e bad.mid ] || fail "a usage error wrote a file"
ls -A | grep -q 'tsm-' && fail "a temporary file was left behind: $(ls -A)"
exit 0

#!/usr/bin/env bash
# A page exported to PDF is the print drawing on a sheet of its paper:
# vector paths and no pictures, its texts as embedded fonts that a reader
# finds and copies, accented letters too; the print flags choose the paper;
# Qt is never started; a font whose program cannot be found is named
# without being embedded, with a warning, and the PDF is still written; a
# PDF that cannot be written is refused with a message, exit status 1, and
# an earlier good file of that name stays as it was.
set -euo pipefail
tsm=$(realpath "$1")
examples=$(realpath "$(dirname "$0")/../../examples")
for tool in pdftotext pdffonts pdfimages pdfinfo; do
  command -v "$tool" > /dev/null || { echo "SKIPPED: $tool is missing (poppler-utils, scripts/setup.sh)"; exit 0; }
done
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
cd "$work"
mkdir root
fail() { echo "FAILED: $*"; exit 1; }

"$tsm" --root root export "$examples/song.mus" song.pdf 2> export.err || fail "the song did not export: $(cat export.err)"

pdftotext -layout song.pdf song.txt
words=$(tr -s ' \n' '  ' < song.txt)
for text in "A Song of Morning" "Tonesmith example" "Sing" "morn-" "light," "voice" "bright;" "eve-" "ning"; do
  grep -qF -- "$text" <<< "$words" || fail "pdftotext does not find \"$text\" in the song:"$'\n'"$(cat song.txt)"
done

pdffonts song.pdf > fonts.txt
# Below the two header lines, one line per font; "emb" is the fifth column from the right.
fonts=$(tail -n +3 fonts.txt)
[ -n "$fonts" ] || fail "the PDF names no fonts"
awk '{ if ($(NF-4) != "yes") { print "not embedded: " $0; bad = 1 } } END { exit bad }' <<< "$fonts" \
  || fail "a font is not embedded:"$'\n'"$(cat fonts.txt)"
grep -q "Nimbus" <<< "$fonts" || fail "the texts are not in the URW faces:"$'\n'"$(cat fonts.txt)"

[ "$(pdfimages -list song.pdf | tail -n +3 | wc -l)" = 0 ] || fail "the PDF holds pictures:"$'\n'"$(pdfimages -list song.pdf)"
pdfinfo song.pdf | grep -Eq '^Page size: +612 x 792 pts' || fail "the PDF is not a Letter sheet:"$'\n'"$(pdfinfo song.pdf)"
[ "$(pdfinfo song.pdf | awk '/^Pages:/ { print $2 }')" = 1 ] || fail "the PDF is not one page"

# Several pages make one document, a sheet each, in the order given; a
# page that cannot be read leaves no file.
"$tsm" --root root export "$examples/song.mus" "$examples/piano.mus" "$examples/typed.mus" three.pdf 2> three.err \
  || fail "no PDF of three pages: $(cat three.err)"
[ "$(pdfinfo three.pdf | awk '/^Pages:/ { print $2 }')" = 3 ] || fail "three pages are not three sheets:"$'\n'"$(pdfinfo three.pdf)"
[ "$(pdftotext -f 1 -l 1 three.pdf - | grep -c "A Song of Morning")" = 1 ] || fail "the song is not the first sheet"
status=0
"$tsm" --root root export "$examples/song.mus" missing.mus broken.pdf 2> /dev/null || status=$?
[ "$status" = 1 ] && [ ! -e broken.pdf ] || fail "a missing page gave status $status or left a file"

# A platform Qt cannot start would stop an export that starts Qt.
QT_QPA_PLATFORM=no-such-platform "$tsm" --root root export "$examples/song.mus" noqt.pdf 2> noqt.err \
  || fail "the PDF export needs Qt: $(cat noqt.err)"

"$tsm" --root root export "$examples/song.mus" a4.pdf --paper a4 2> a4.err || fail "no A4 PDF: $(cat a4.err)"
pdfinfo a4.pdf | grep -Eq '^Page size: +595 x 842 pts' || fail "--paper a4 is not an A4 sheet:"$'\n'"$(pdfinfo a4.pdf)"

# A text of Latin-1 letters, typed as the engine takes them, copies back as the same letters.
printf 'STAFF\n2 1 3 0 4 -45.429 12 1\nTZ 22 100 28\nCaf\xe9 d\xe9j\xe0 vu, \xc6gir \xfcber Stra\xdfe\n2 1 3 62 6 1\nX\n!save accents.mus\n' \
  | "$tsm" --root root exec > /dev/null
"$tsm" --root root export accents.mus accents.pdf 2> accents.err || fail "the accented page did not export: $(cat accents.err)"
grep -qF "Café déjà vu, Ægir über Straße" <<< "$(pdftotext accents.pdf -)" \
  || fail "the accented letters do not copy back: $(pdftotext accents.pdf - | od -c | head)"

# The Times-Roman data names a program no folder holds: the text is still there, named, not embedded.
mkdir -p root/tonesmith/fontlib
sed 's/^FontName .*/FontName Nowhere-Roman/' "$(dirname "$tsm")/../fontlib/fd00.fdt" > root/tonesmith/fontlib/fd00.fdt
"$tsm" --root root export "$examples/song.mus" nofont.pdf 2> nofont.err || fail "a missing font program failed the export: $(cat nofont.err)"
grep -q '^tsm: \*\*\* Font not embedded in the PDF .*: Times-Roman$' nofont.err || fail "no warning for the missing program: $(cat nofont.err)"
pdffonts nofont.pdf | grep -Eq '^Times-Roman +Type 1 +Custom +no ' || fail "Times-Roman is not named:"$'\n'"$(pdffonts nofont.pdf)"
grep -qF "Sing" <<< "$(pdftotext nofont.pdf -)" || fail "the text of the font not embedded is lost"
rm -r root/tonesmith

cp song.pdf good.pdf
status=0
"$tsm" --root root export "$examples/song.mus" missing/folder/song.pdf 2> missing.err || status=$?
[ "$status" = 1 ] || fail "a PDF into a missing folder exited $status, not 1"
grep -q 'cannot write missing/folder/song.pdf: there is no folder missing/folder' missing.err || fail "no clear message for a missing folder: $(cat missing.err)"

chmod 0444 good.pdf
status=0
"$tsm" --root root export "$examples/song.mus" good.pdf 2> readonly.err || status=$?
[ "$status" = 1 ] || fail "a PDF onto a read-only file exited $status, not 1"
grep -q 'cannot write good.pdf: it is read-only' readonly.err || fail "no clear message for a read-only PDF: $(cat readonly.err)"
cmp -s good.pdf song.pdf || fail "the read-only PDF changed"
chmod 0644 good.pdf

status=0
"$tsm" --root root export no-such-page.mus good.pdf 2> nopage.err || status=$?
[ "$status" = 1 ] || fail "a PDF of a page that cannot be read exited $status, not 1"
cmp -s good.pdf song.pdf || fail "a page that cannot be read replaced the earlier PDF"

ls -A | grep -q 'tsm-' && fail "a temporary file was left behind: $(ls -A)"
exit 0

#!/usr/bin/env bash
# The preference file: a machine with none anywhere gets the bundled library
# and a default "PREF.DAT" under C:\tonesmith; "PREF" edits the settings and
# saves them; a damaged line is reported and its default kept; a file found
# under a Program Files folder has its library lines pointed at its install
# directory; a blank library path says "Path missing.".
set -euo pipefail
tsm=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAILED: $*"; exit 1; }

"$tsm" --root root exec < /dev/null > first.out
prefs=root/tonesmith/cantlib/PREF.DAT
[ -f "$prefs" ] || fail "no default PREF.DAT was installed: $(find root)"
for file in root/tonesmith/cantlib/TSMITH.DAT root/tonesmith/cantlib/LB0000.DRW root/tonesmith/fontlib/fm00.fmt; do
  [ -f "$file" ] || fail "the bundled library was not installed: $file is missing"
done
grep -qx 'SYMB  C:\\tonesmith\\CANTLIB\\' "$prefs" || fail "the default file names no symbol library: $(cat "$prefs")"
[ ! -s first.out ] || fail "start-up said something: $(cat first.out)"

# Field 3 (beam tilt) cannot be read and is kept; field 6 (base MIDI key)
# becomes C4; saved.
printf 'PREF\n||xyz|||C4\n1\n' | "$tsm" --root root exec > pref.out
grep -qF '*** Not understood, kept as it was: Beam tilt. xyz' pref.out || fail "no message for a bad field: $(cat pref.out)"
grep -qF 'Preferences saved: C:\tonesmith\cantlib\PREF.DAT' pref.out || fail "not saved: $(cat pref.out)"
grep -qx 'MIDK C4 ' "$prefs" || fail "the new base key was not saved: $(cat "$prefs")"
grep -qx 'BMTH   -2' "$prefs" || fail "the bad tilt was not kept: $(cat "$prefs")"

sed -i 's/^SLUR.*/SLUR  thick/' "$prefs"
"$tsm" --root root exec < /dev/null > damaged.out
grep -qF 'PREF.DAT line 5 is not understood (SLUR  thick); its default is kept.' damaged.out \
  || fail "no report of the damaged line: $(cat damaged.out)"

sed -i 's/^SYMB.*/SYMB      /' "$prefs"
"$tsm" --root root exec < /dev/null > blank.out
grep -qx 'Path missing.' blank.out || fail "a blank library path was not reported: $(cat blank.out)"

# Drive D: holds the only file, under Program Files (x86): its library
# lines are repaired and nothing is installed on C:.
mkdir -p other drive_d/"Program Files (x86)"/tonesmith/cantlib
printf 'REST    7\nSYMB  A:\\old\\\nFONT  A:\\old\\\n' > drive_d/"Program Files (x86)"/tonesmith/cantlib/PREF.DAT
TONESMITH_DRIVE_D="$work/drive_d" "$tsm" --root other exec < /dev/null > repaired.out
repaired=drive_d/"Program Files (x86)"/tonesmith/cantlib/PREF.DAT
grep -qx 'SYMB  D:\\Program Files (x86)\\tonesmith\\CANTLIB\\' "$repaired" || fail "SYMB not repaired: $(cat "$repaired")"
grep -qx 'FONT  D:\\Program Files (x86)\\tonesmith\\FONTLIB\\' "$repaired" || fail "FONT not repaired: $(cat "$repaired")"
grep -qx 'REST    7' "$repaired" || fail "another line was changed: $(cat "$repaired")"
[ ! -e other/tonesmith ] || fail "a library was installed although a preference file exists"
exit 0

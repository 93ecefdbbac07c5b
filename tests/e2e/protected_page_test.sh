#!/usr/bin/env bash
# A save never replaces a page its owner may not write, nor an export such
# a picture, and a page saved again keeps its permissions.
set -euo pipefail
tsm=$(realpath "$1")
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
cd "$work"

"$tsm" --root root exec > /dev/null <<< $'STAFF\n!save kept.mus\n!save private.mus'
cp kept.mus before.mus
chmod 0444 kept.mus
chmod 0600 private.mus

status=0
"$tsm" --root root exec kept.mus > out.txt <<< $'NOTE\nX\n!save kept.mus\nSM' || status=$?
[ "$status" = 1 ] || { echo "FAILED: saving a read-only page exited $status, not 1"; exit 1; }
[ "$(grep -c '^\*\*\*Error writing file: kept.mus is read-only.$' out.txt)" = 2 ] || {
  echo "FAILED: the read-only page was not refused with its message:"; cat out.txt; exit 1; }
cmp -s kept.mus before.mus || { echo "FAILED: the read-only page changed"; exit 1; }
[ "$(stat -c %a kept.mus)" = 444 ] || { echo "FAILED: the read-only page lost its mode"; exit 1; }

"$tsm" --root root exec private.mus > /dev/null <<< $'NOTE\nX\nSM'
cmp -s private.mus before.mus && { echo "FAILED: the private page was not saved"; exit 1; }
[ "$(stat -c %a private.mus)" = 600 ] || { echo "FAILED: saving made the private page $(stat -c %a private.mus)"; exit 1; }
printf 'kept picture' > kept.svg
chmod 0444 kept.svg
status=0
"$tsm" --root root export kept.mus kept.svg 2> export.err || status=$?
[ "$status" = 1 ] || { echo "FAILED: exporting onto a read-only picture exited $status, not 1"; exit 1; }
[ "$(cat kept.svg)" = 'kept picture' ] || { echo "FAILED: the read-only picture changed"; exit 1; }
grep -q 'read-only' export.err || { echo "FAILED: the export did not say why:"; cat export.err; exit 1; }

ls -A | grep -q 'tsm-' && { echo "FAILED: a temporary file was left behind"; ls -A; exit 1; }
exit 0

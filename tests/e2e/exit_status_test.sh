#!/usr/bin/env bash
# tsm exits 0 when the work was done, 1 when it could not be, 2 for a usage
# error; a page that cannot be read prints and exports nothing.
set -uo pipefail
tsm=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
failures=0

# expect STATUS DESCRIPTION -- COMMAND...: runs the command, its output in last.out.
expect() {
  local want=$1 what=$2
  shift 3
  "$@" > last.out 2> last.err
  local got=$?
  if [ "$got" != "$want" ]; then
    echo "FAILED: $what: exit $got, not $want"; cat last.err
    failures=$((failures + 1))
  fi
}
# nothing_written FILE DESCRIPTION
nothing_written() {
  if [ -e "$1" ]; then echo "FAILED: $2: $1 was written"; failures=$((failures + 1)); fi
}

expect 0 "exec that saves" -- "$tsm" --root root exec <<< $'STAFF\n!save good.mus'
printf 'not a page at all' > bad.mus

expect 0 "items of a page" -- "$tsm" --root root items good.mus
expect 0 "dlist of a page" -- "$tsm" --root root dlist good.mus
expect 0 "export of a page" -- "$tsm" --root root export good.mus good.svg

for page in missing.mus bad.mus; do
  expect 1 "items of $page" -- "$tsm" --root root items "$page"
  [ -s last.out ] && { echo "FAILED: items of $page printed items"; failures=$((failures + 1)); }
  expect 1 "dlist of $page" -- "$tsm" --root root dlist "$page"
  [ -s last.out ] && { echo "FAILED: dlist of $page printed a display list"; failures=$((failures + 1)); }
  expect 1 "export of $page" -- "$tsm" --root root export "$page" "$page.png"
  nothing_written "$page.png" "export of $page"
done

# exec runs the whole script whatever fails, then says so.
expect 1 "exec of a missing page" -- "$tsm" --root root exec missing.mus <<< $'STAFF\n!save after.mus'
[ -f after.mus ] || { echo "FAILED: exec stopped at the missing page"; failures=$((failures + 1)); }
expect 1 "exec with a failed save" -- "$tsm" --root root exec <<< $'STAFF\n!save nofolder/x.mus\n!save later.mus'
[ -f later.mus ] || { echo "FAILED: exec stopped at the failed save"; failures=$((failures + 1)); }
expect 1 "exec with an unknown word" -- "$tsm" --root root exec <<< $'STAFF\nZZZZ'
expect 1 "exec with an unreadable action" -- "$tsm" --root root exec <<< $'!click here'

expect 2 "no verb" -- "$tsm" --root root
expect 2 "an unknown verb" -- "$tsm" --root root frob good.mus
expect 2 "export without a picture" -- "$tsm" --root root export good.mus

exit $((failures > 0))

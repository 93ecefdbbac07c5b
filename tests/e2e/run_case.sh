#!/usr/bin/env bash
# Runs one behaviour case through tsm in a fresh folder and compares what it
# prints (and the items of the page it saves) with the expected files, and
# its exit status with expected.status (0 when the case has none).
# UPDATE_GOLDEN=1 rewrites the expected files instead.
set -euo pipefail
tsm=$1
case_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Page files and other inputs of the case are copied next to the script.
find "$case_dir" -maxdepth 1 -type f ! -name 'expected.*' ! -name 'about.txt' -exec cp {} "$work" \;
cd "$work"
args=()
[ -f args ] && read -r -a args < args
exit_status=0
"$tsm" --root "$work/root" exec "${args[@]}" < input.tsm > actual.out 2> actual.err || exit_status=$?
if [ -f result.mus ] || [ -f "$case_dir/expected.items" ]; then
  "$tsm" --root "$work/root" items result.mus > actual.items 2>> actual.err || true
fi

status=0
expected_status=0
[ -f "$case_dir/expected.status" ] && expected_status=$(cat "$case_dir/expected.status")
if [ "${UPDATE_GOLDEN:-0}" = 1 ]; then
  if [ "$exit_status" = 0 ]; then rm -f "$case_dir/expected.status"; else echo "$exit_status" > "$case_dir/expected.status"; fi
elif [ "$exit_status" != "$expected_status" ]; then
  echo "tsm exited $exit_status, not $expected_status:"; cat actual.err
  echo "FAILED: $(cat "$case_dir/about.txt" 2>/dev/null)"
  status=1
fi
for kind in out items; do
  expected="$case_dir/expected.$kind"
  [ -f "actual.$kind" ] || continue
  if [ "${UPDATE_GOLDEN:-0}" = 1 ]; then
    cp "actual.$kind" "$expected"
  elif [ -f "$expected" ]; then
    if ! diff -u "$expected" "actual.$kind"; then
      echo "FAILED: $(cat "$case_dir/about.txt" 2>/dev/null)"
      status=1
    fi
  fi
done
exit $status

#!/usr/bin/env bash
# Renders an example page with tsm export and compares it with the picture
# a person has looked at. UPDATE_GOLDEN=1 rewrites the picture on purpose.
set -euo pipefail
tsm=$1
compare=$2
page=$3
golden=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$tsm" --root "$work/root" export "$page" "$work/actual.png" 2> /dev/null
if [ "${UPDATE_GOLDEN:-0}" = 1 ]; then
  cp "$work/actual.png" "$golden"
  echo "rewrote $golden"
  exit 0
fi
if ! "$compare" "$work/actual.png" "$golden"; then
  cp "$work/actual.png" "$(basename "${golden%.png}").actual.png" 2> /dev/null || true  # kept in the build tree to look at
  echo "FAILED: $(basename "$page") no longer looks like $(basename "$golden")"
  exit 1
fi

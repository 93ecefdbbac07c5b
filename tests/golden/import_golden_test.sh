#!/usr/bin/env bash
# Imports a score with tsm import, renders its first page with tsm export
# and compares it with the picture a person has looked at. UPDATE_GOLDEN=1
# rewrites the picture on purpose.
set -euo pipefail
tsm=$1
compare=$2
score=$3
golden=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$tsm" import "$score" "$work/page" > /dev/null 2>&1
bash "$(dirname "$0")/golden_test.sh" "$tsm" "$compare" "$work/page1.MUS" "$golden"

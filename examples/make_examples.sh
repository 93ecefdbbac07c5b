#!/usr/bin/env bash
# Rebuilds the example pages from their tsm scripts:
#   examples/make_examples.sh [build]
set -euo pipefail
build=${1:-build}
tsm=$(cd "$build" && pwd)/bin/tsm
cd "$(dirname "$0")"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
for script in *.tsm; do
  "$tsm" --root "$root" exec < "$script" > /dev/null
  echo "made ${script%.tsm}.mus"
done

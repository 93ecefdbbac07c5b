#!/usr/bin/env bash
# Opens the bundled example page. Until the desktop program is built the
# page is run through the tsm driver and its items are printed.
set -euo pipefail
build=${1:-build}
example=examples/piano.mus
if [ -x "$build/bin/tonesmith" ]; then
  exec "$build/bin/tonesmith" "$example"
fi
echo "Items of $example:"
exec "$build/bin/tsm" items "$example"

#!/usr/bin/env bash
# Opens the bundled example page in the desktop program. Without a display
# the page is drawn by the engine and exported as a picture through tsm.
set -euo pipefail
build=${1:-build}
example=examples/song.mus
name=$(basename "$example" .mus)
if [ -x "$build/bin/tonesmith" ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$build/bin/tonesmith" "$example"
fi
echo "No display (\$DISPLAY and \$WAYLAND_DISPLAY are not set): exporting the page instead."
for picture in "$build/$name.pdf" "$build/$name.png"; do
  "$build/bin/tsm" export "$example" "$picture" 2> /dev/null
done
echo "The example page $example is drawn in $build/$name.pdf and $build/$name.png"

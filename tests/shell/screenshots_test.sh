#!/usr/bin/env bash
# Screenshots of the main window with the default edit menu, offscreen, at
# 100 % and 200 % display scaling, kept in OUT_DIR to be looked at; the
# doubled one must be drawn at twice the pixels, not cut or left small.
set -euo pipefail
tonesmith=$1 script=$2 out_dir=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out_dir"
export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work"
chmod 700 "$work"

# Width and height from the PNG header, in decimal.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}'; }

for scale in 1 2; do
  shot="$out_dir/main_window_${scale}00.png"
  rm -f "$shot"
  QT_SCALE_FACTOR=$scale timeout 30 "$tonesmith" --root "$work" --exec "$script" --screenshot "$shot" > "$work/out.txt" 2>&1 || {
    echo "tonesmith failed at scale $scale:"; cat "$work/out.txt"; exit 1; }
  [ -s "$shot" ] || { echo "no screenshot at scale $scale"; exit 1; }
done
read -r w1 h1 < <(png_size "$out_dir/main_window_100.png")
read -r w2 h2 < <(png_size "$out_dir/main_window_200.png")
if [ "$w2" -ne $((2 * w1)) ] || [ "$h2" -ne $((2 * h1)) ]; then
  echo "the 200 % screenshot is ${w2}x${h2}, not twice ${w1}x${h1}"; exit 1
fi
echo "screenshots: $out_dir/main_window_100.png (${w1}x${h1}), $out_dir/main_window_200.png (${w2}x${h2})"

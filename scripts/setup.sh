#!/usr/bin/env bash
# Installs the Debian packages Tonesmith needs that are not installed yet.
# Runs as root, or through sudo when available.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  clang-14 libclang-rt-14-dev
  libfreetype-dev lilypond-fonts fonts-urw-base35
  qt6-base-dev qt6-svg-dev libqt6svg6 libgl-dev
  xvfb xauth
  libfluidsynth-dev timgm6mb-soundfont  # the built-in synthesizer and its General MIDI soundfont
  librtmidi-dev                         # the system's MIDI ports
  adwaita-icon-theme                    # the desktop program's button icons where the desktop names no theme
  libpugixml-dev libzip-dev             # MusicXML import and export (.musicxml, .mxl)
  poppler-utils  # tests only: pdftotext, pdffonts and pdfimages read the exported PDF
  ghostscript    # tests only: renders the exported PostScript and EPS
  midicsv        # tests only: reads back the MIDI files tsm midi writes
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  run=()
elif command -v sudo >/dev/null 2>&1; then
  run=(sudo)
else
  echo "Please install as root: apt-get install ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${run[@]}" apt-get update -qq
"${run[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"

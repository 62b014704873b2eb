#!/usr/bin/env bash
# Renders the committed PNG icons from the two drawings beside this script
# (needs rsvg-convert, Debian package librsvg2-bin). Run it after changing a
# drawing and commit the result: desktop/icons/<size>/<program>.png.
set -euo pipefail
cd "$(dirname "$0")"
for program in varenta kiv; do
    for size in 48 128 256; do
        mkdir -p "$size"
        rsvg-convert --width "$size" --height "$size" --output "$size/$program.png" "$program.svg"
    done
done

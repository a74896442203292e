#!/bin/sh
# Developer's tool: renders the PNG sizes of the application icon from org.tessaly.Tessaly.svg
# into icons/<N>x<N>/. The build does not run it; run it after changing the SVG and keep the
# PNGs it writes with the sources. Needs rsvg-convert (Debian: librsvg2-bin).
set -eu
cd "$(dirname "$0")"
for n in 16 24 32 48 64 128 256; do
    mkdir -p "icons/${n}x${n}"
    rsvg-convert --width "$n" --height "$n" --keep-aspect-ratio \
        --output "icons/${n}x${n}/org.tessaly.Tessaly.png" org.tessaly.Tessaly.svg
done

#!/bin/sh
# SPDX-License-Identifier: MIT
# Renders packaging/wrenfold.svg into the hicolor PNG sizes that desktops and docks ask
# for. Run after changing the SVG (needs rsvg-convert from Debian's librsvg2-bin).
set -eu
cd "$(dirname "$0")/../packaging"
for size in 16 24 32 48 64 128 256 512; do
    mkdir -p "icons/${size}x${size}"
    rsvg-convert -w "$size" -h "$size" wrenfold.svg -o "icons/${size}x${size}/wrenfold.png"
done

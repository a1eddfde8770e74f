#!/bin/sh
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Wrenfold developers
#
# Pictures of every screen on a generated sample notes folder, under Xvfb: light and dark
# palettes at 1180x760, 900x600, 800x560 and the minimum 760x520, and at QT_SCALE_FACTOR=2;
# one set in German.
# Each run gets its own temporary HOME and XDG folders, so nothing of the user's is read
# or written. Today and Calendar (light, 1180x760) are copied to docs/ for the README.
#
# usage: tools/screenshots.sh [BUILD_DIR] [OUTDIR]      (make screenshots)
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
out=${2:-$build/screenshots}
driver=$build/wrenfold-screenshots
if [ ! -x "$driver" ]; then
    echo "missing $driver: build the target wrenfold-screenshots first" >&2
    exit 2
fi
command -v xvfb-run >/dev/null || { echo "xvfb-run is missing (Debian package xvfb)" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
mkdir -p "$out"

# shot NAME WIDTHxHEIGHT|auto SCALE light|dark LANG [SCREEN [first]]
# "first" starts on an empty HOME with no notes folder chosen.
shot() {
    home="$work/$1"
    mkdir -p "$home/config" "$home/data" "$home/state" "$home/cache" "$home/notes"
    chmod 700 "$home"
    root="$home/notes"
    [ "${7:-}" = first ] && root=
    env HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
        XDG_STATE_HOME="$home/state" XDG_CACHE_HOME="$home/cache" \
        XDG_RUNTIME_DIR="$home" DISABLE_AUTO_UPDATE=true \
        ${root:+VESK_UI_TEST_ROOT="$root"} \
        QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$3" LANG="$5" LC_ALL="$5" LANGUAGE= \
        xvfb-run -a -s "-screen 0 ${6:-2560x1600}x24" "$driver" "$out" "$1" "$2" "$4"
}

shot light-1180x760 1180x760 1 light C.UTF-8
shot dark-1180x760 1180x760 1 dark C.UTF-8
shot light-900x600 900x600 1 light C.UTF-8
shot dark-900x600 900x600 1 dark C.UTF-8
shot light-800x560 800x560 1 light C.UTF-8
shot dark-760x520 760x520 1 dark C.UTF-8
shot light-2x 1180x760 2 light C.UTF-8
shot dark-2x 1180x760 2 dark C.UTF-8
shot de-1180x760 1180x760 1 light de_DE.UTF-8
# At scale 2 a Full HD screen holds 960x540: the window must open inside it.
shot light-2x-fullhd auto 2 light C.UTF-8 1920x1080
shot firststart auto 1 light C.UTF-8 1280x800 first

mkdir -p "$root/docs"
cp "$out/today-light-1180x760.png" "$root/docs/today.png"
cp "$out/calendar-light-1180x760.png" "$root/docs/calendar.png"
echo "screenshots in $out; docs/today.png and docs/calendar.png refreshed"

#!/bin/sh
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Wrenfold developers
#
# Fails when a translation table is out of step with the code: a text in the code that has
# no finished translation, a translation whose source text left the code, or a tr() call
# that lupdate cannot place (its context would not match at run time).
#
# usage: tools/check-translations.sh [LUPDATE] [SOURCE_ROOT]
# The tables themselves are left untouched: lupdate runs on copies in a temporary folder.
set -eu

lupdate=${1:-/usr/lib/qt6/bin/lupdate}
root=$(cd "${2:-$(dirname "$0")/..}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

status=0
for table in "$root"/translations/*.ts; do
    name=$(basename "$table")
    copy="$work/$name"
    cp "$table" "$copy"
    if ! (cd "$root" && "$lupdate" -locations none src -ts "$copy") >"$work/lupdate.log" 2>&1; then
        cat "$work/lupdate.log"
        echo "$name: lupdate failed"
        status=1
        continue
    fi
    # lupdate reports calls it cannot tie to a class as "file:line: message".
    if grep -E '^[^ ]+:[0-9]+: ' "$work/lupdate.log"; then
        echo "$name: fix the tr() calls above, or their texts land in the wrong context"
        status=1
    fi
    # Each problem is printed with the source text it belongs to.
    if ! awk -v table="$name" '
        /<source>/ { source = $0; sub(/^[ \t]*<source>/, "", source); sub(/<\/source>.*/, "", source) }
        /<translation[^>]*type="unfinished"/ { report("not translated") }
        /<translation[^>]*type="(vanished|obsolete)"/ { report("no longer in the code") }
        /<translation>[ \t]*<\/translation>|<translation\/>|<numerusform>[ \t]*<\/numerusform>/ {
            report("empty translation")
        }
        function report(what) { printf "%s: %s: %s\n", table, what, source; bad = 1 }
        END { exit bad }' "$copy"; then
        status=1
    fi
done

if [ "$status" -ne 0 ]; then
    echo "Refresh with: lupdate -locations none src -ts translations/<table>.ts"
    echo "then fill in every <translation> above and remove the vanished entries."
else
    echo "translations complete"
fi
exit "$status"

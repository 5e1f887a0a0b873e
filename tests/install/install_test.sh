#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix and runs both programs from there.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'kill "${pid:-}" 2>/dev/null || true; rm -rf "$prefix"' EXIT
export QT_QPA_PLATFORM=offscreen
# An installed program keeps the running user's settings: here, in the prefix.
export XDG_CONFIG_HOME=$prefix/config

cmake --install "$build" --prefix "$prefix" >/dev/null

# The program folder holds both programs and the language files; bin has links.
for f in lib/tarnwell/twlc lib/tarnwell/twlc-export lib/tarnwell/twlc-export-fonts lib/tarnwell/twlc.installed lib/tarnwell/language/English.lng \
         share/applications/org.tarnwell.Calculator.desktop share/icons/hicolor/scalable/apps/org.tarnwell.Calculator.svg \
         share/metainfo/org.tarnwell.Calculator.metainfo.xml share/man/man1/twlc.1.gz; do
  [ -e "$prefix/$f" ] || { echo "missing after install: $f"; exit 1; }
done
[ "$(readlink "$prefix/bin/twlc")" = "../lib/tarnwell/twlc" ] || { echo "bin/twlc is not a link into the program folder"; exit 1; }
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/org.tarnwell.Calculator.desktop"
fi

cd "$prefix"
"$prefix/bin/twlc-export" --version > version.txt
grep -q '^twlc-export ' version.txt
grep -q 'GPL-3.0-or-later' version.txt
# The install's mark sends the settings to the user's own folder.
"$prefix/bin/twlc-export" --help | grep -qx "Settings file: $XDG_CONFIG_HOME/tarnwell/twlc.ini"
# The README's examples, as written.
"$prefix/bin/twlc-export" --amount 1000 --months 12 --rate 12 --format csv --output schedule.csv
head -n 2 schedule.csv | tr -d '\r' | diff - <(printf '"Payment #",Payment,Interest,Principal,Balance\n1,88.85,10.00,78.85,921.15\n')
"$prefix/bin/twlc-export" --amount 1000 --months 12 --rate 12 --format html --set HTML.Template=ctDark -o - > dark.html
grep -q 'BGCOLOR="#317676"' dark.html
"$prefix/bin/twlc-export" --amount 1000 --months 12 --rate 12 --format txt --set 'Options=[xoShowHeader,xoRowNumbers]' -o - > numbered.txt
grep -q '^ 1 1 ' numbered.txt
# twlc-export starts without the GUI modules and becomes its sibling for a
# document laid out in fonts, through the link as well.
readelf -d "$prefix/lib/tarnwell/twlc-export" | grep -E 'NEEDED.*libQt6(Gui|Widgets)' &&
  { echo "twlc-export links the GUI modules"; exit 1; }
"$prefix/bin/twlc-export" --amount 1000 --months 12 --rate 12 --format pdf -o schedule.pdf
head -c 5 schedule.pdf | grep -qx '%PDF-'
# The language file beside the installed program labels the inputs row.
grep -q '^Inputs:,' schedule.csv

# The calculator starts from the link and keeps running until it is closed.
"$prefix/bin/twlc" &
pid=$!
for _ in 1 2 3 4 5 6 7 8 9 10; do
  kill -0 "$pid" 2>/dev/null || { echo "twlc ended at start-up"; wait "$pid" || true; exit 1; }
  sleep 0.3
done
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=
echo "install test passed"

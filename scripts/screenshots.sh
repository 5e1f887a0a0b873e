#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Regenerates the README's pictures in docs/ with the calculator itself: a
# release build started under a virtual X server, driven with real mouse and
# keyboard events, photographed with ImageMagick.
#
#   scripts/screenshots.sh [LANGUAGE]
#
# LANGUAGE (default English) names a file of language/; the pictures are then
# named after it (docs/main-window-Deutsch.png), so the English ones stay.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
language=${1:-English}

scripts/install-deps.sh
# Tools for pictures only: neither building nor testing needs them.
need=()
command -v import >/dev/null || need+=(imagemagick)
command -v xdotool >/dev/null || need+=(xdotool)
if [ ${#need[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${need[@]}"
fi

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTWL_TESTS=OFF >/dev/null
cmake --build build/release --target twlc

# A program folder of its own: no settings file of the user's moves the window
# or changes the decimals, and closing it writes nowhere that matters.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp build/release/app/twlc "$stage/"
cp -r build/release/app/language "$stage/"

suffix=""
[ "$language" != English ] && suffix="-$language"
mkdir -p docs

export TWL_STAGE=$stage TWL_DOCS=$root/docs TWL_SUFFIX=$suffix TWL_LANGUAGE=$language
xvfb-run -a -s '-screen 0 800x640x24' bash -euo pipefail -c '
  cd "$TWL_STAGE"
  args=()
  [ "$TWL_LANGUAGE" != English ] && args=(--language "$TWL_LANGUAGE")
  ./twlc "${args[@]}" &
  app=$!
  trap "kill $app 2>/dev/null || true" EXIT

  # The main window is the one of our process that is 533 pixels wide.
  win=""
  for _ in $(seq 100); do
    for w in $(xdotool search --all --onlyvisible --pid "$app" 2>/dev/null || true); do
      # The splash window may close between the search and this question.
      width=$( (xdotool getwindowgeometry "$w" 2>/dev/null || true) | sed -n "s/.*Geometry: \([0-9]*\)x.*/\1/p")
      [ "$width" = 533 ] && win=$w
    done
    [ -n "$win" ] && break
    sleep 0.1
  done
  [ -n "$win" ] || { echo "the main window did not appear" >&2; exit 1; }
  sleep 1.5   # past the title timer and the first paint

  type_into() { # x y text
    xdotool mousemove --window "$win" "$1" "$2" click 1
    xdotool key --window "$win" ctrl+a
    xdotool type --delay 20 "$3"
  }
  type_into 60 34 1000
  type_into 190 34 12
  type_into 300 34 12
  xdotool mousemove --window "$win" 452 24 click 1
  sleep 1
  import -window "$win" "$TWL_DOCS/main-window$TWL_SUFFIX.png"

  # Export opens the format dialog over the window.
  xdotool mousemove --window "$win" 356 526 click 1
  dialog=""
  for _ in $(seq 50); do
    for w in $(xdotool search --all --onlyvisible --pid "$app" 2>/dev/null || true); do
      [ "$w" != "$win" ] && dialog=$w
    done
    [ -n "$dialog" ] && break
    sleep 0.1
  done
  [ -n "$dialog" ] || { echo "the format dialog did not appear" >&2; exit 1; }
  sleep 1
  import -window "$dialog" "$TWL_DOCS/format-dialog$TWL_SUFFIX.png"
  xdotool key Escape || true
'
echo "Pictures written to docs/main-window$suffix.png and docs/format-dialog$suffix.png"

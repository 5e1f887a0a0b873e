#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# One session of the package test under a virtual X server: the unpacked
# calculator started, its window found (moved on run 1), a loan typed and
# calculated, the window closed as a window manager's close button does.
# Usage: package_session.sh ROOT LOG_DIR RUN CLOSER
set -euo pipefail
root=$1; log=$2; run=$3; closer=$4
out=$log/run$run.txt
"$root/usr/bin/twlc" 2>"$log/stderr$run.txt" &
pid=$!
win=
for _ in $(seq 100); do
  # The main window by its title: the splash window comes first and goes.
  win=$(xdotool search --onlyvisible --pid "$pid" --name '^Tarnwell - TWL-Calculator$' 2>/dev/null | head -n 1) &&
    [ -n "$win" ] && break
  kill -0 "$pid" 2>/dev/null || { echo "twlc ended at start-up" >> "$out"; exit 1; }
  sleep 0.2
done
[ -n "$win" ] || { echo "no window" >> "$out"; exit 1; }
xdotool getwindowgeometry "$win" | sed -n 's/ *Position: \([0-9]*\),\([0-9]*\).*/start \1 \2/p' >> "$out"
xprop -id "$win" WM_CLASS >> "$out"
if [ "$run" = 1 ]; then xdotool windowmove --sync "$win" 140 70; fi
# A loan typed into the first edit and its neighbours, then Calculate.
xdotool windowfocus --sync "$win" 2>/dev/null
xdotool type --delay 20 "1000" 2>/dev/null
xdotool key Tab 2>/dev/null
xdotool type --delay 20 "12" 2>/dev/null
xdotool key Tab 2>/dev/null
xdotool type --delay 20 "12" 2>/dev/null
eval "$(xdotool getwindowgeometry --shell "$win")"
xdotool mousemove --window "$win" $((WIDTH - 80)) 24 click 1
sleep 0.5
import -window root "$log/calculated$run.png" 2>/dev/null || true
echo "windows $(xdotool search --onlyvisible --pid "$pid" | wc -l)" >> "$out"
python3 "$closer" "$win"
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
if kill -0 "$pid" 2>/dev/null; then
  echo "still running after close: a box is open" >> "$out"
  import -window root "$log/box.png" 2>/dev/null || true
  kill "$pid"
  exit 1
fi
wait "$pid" || { echo "exit status $?" >> "$out"; exit 1; }

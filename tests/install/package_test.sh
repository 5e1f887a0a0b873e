#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package as a user meets it: built from this build tree (its
# programs are reused, not built again), unpacked with dpkg -x, its metadata
# validated, and the calculator run by an unprivileged user under a virtual
# X server: the window moved, a loan calculated, the window closed, started
# again. The position and Decimal must be kept in that user's own
# ~/.config/tarnwell/twlc.ini, and no box may appear.
# Usage: package_test.sh BUILD_DIR SOURCE_DIR. Exit 77: skipped.
set -euo pipefail
build=$1
source=$2
here=$(cd "$(dirname "$0")" && pwd)

skip() { echo "skipped: $*"; exit 77; }
[ "$(id -u)" -eq 0 ] || skip "needs root to run the program as another user"
for tool in dpkg-deb setpriv xvfb-run xdotool xprop appstreamcli desktop-file-validate rsvg-convert python3; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
[ -z "${TWL_KEEP_PACKAGE_TEST:-}" ] || trap 'echo "kept: $work"' EXIT
chmod 755 "$work"
fail() { echo "FAILED: $*"; exit 1; }

"$source/scripts/package.sh" --build "$build" --output "$work" >/dev/null
deb=$(ls "$work"/tarnwell_*_amd64.deb)
version=$(dpkg-deb -f "$deb" Version)
[ "$(basename "$deb")" = "tarnwell_${version}_amd64.deb" ] || fail "package name $(basename "$deb")"
dpkg-deb -f "$deb" Recommends | grep -qw qt6-wayland || fail "qt6-wayland is not recommended"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "no computed library dependencies"
# The workbook and archive libraries are opened when first needed, not linked.
for opened in libxlsxwriter4 libzip4; do
  dpkg-deb -f "$deb" Depends | grep -qw "$opened" || fail "$opened is not a dependency"
done

# The file list: everything under /usr, nothing else.
root=$work/root
dpkg-deb -x "$deb" "$root"
dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$' | grep -v '^\./usr/' && fail "files outside /usr"
id=org.tarnwell.Calculator
expected=(
  usr/bin/twlc usr/bin/twlc-export usr/lib/tarnwell/twlc usr/lib/tarnwell/twlc-export
  usr/lib/tarnwell/language/English.lng usr/share/applications/$id.desktop
  usr/share/metainfo/$id.metainfo.xml usr/share/icons/hicolor/scalable/apps/$id.svg
  usr/share/man/man1/twlc.1.gz usr/share/man/man1/twlc-export.1.gz
  usr/share/bash-completion/completions/twlc-export
  usr/share/doc/tarnwell/copyright usr/share/doc/tarnwell/changelog.gz
)
for size in 16 24 32 48 64 128 256 512; do
  expected+=(usr/share/icons/hicolor/${size}x${size}/apps/$id.png)
done
for f in "${expected[@]}"; do
  [ -e "$root/$f" ] || [ -L "$root/$f" ] || fail "the package has no $f"
done
[ ! -e "$root/usr/lib/tarnwell/twlc.ini" ] || fail "the package ships a settings file"
file -b "$root/usr/share/icons/hicolor/48x48/apps/$id.png" | grep -q '48 x 48' || fail "48 px icon size"

appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" >/dev/null ||
  fail "appstreamcli: $(appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml")"
desktop-file-validate "$root/usr/share/applications/$id.desktop"
grep -qx "Icon=$id" "$root/usr/share/applications/$id.desktop" || fail "desktop file's icon"
if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb" > "$work/lintian.txt" 2>&1 || fail "lintian: $(cat "$work/lintian.txt")"
fi

# The administrator's defaults beside the program, a program folder the user
# cannot write, and a user with a home of their own.
printf '[Settings]\r\nDecimal=3\r\n' > "$root/usr/lib/tarnwell/twlc.ini"
user=65534
home=$work/home
mkdir -p "$home"
chown "$user:$user" "$home"
log=$work/log
mkdir -p "$log"
chown "$user:$user" "$log"

cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
root=$1; log=$2; run=$3; closer=$4
out=$log/run$run.txt
"$root/usr/bin/twlc" 2>"$log/stderr$run.txt" &
pid=$!
win=
for _ in $(seq 100); do
  win=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1) && [ -n "$win" ] && break
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
SESSION

session() {
  setpriv --reuid="$user" --regid="$user" --clear-groups \
    env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 \
    xvfb-run -a -s '-screen 0 1024x768x24' bash "$work/session.sh" "$root" "$log" "$1" "$here/close_window.py" ||
    fail "run $1: $(cat "$log/run$1.txt" "$log/stderr$1.txt" 2>/dev/null)"
}

ini=$home/.config/tarnwell/twlc.ini
value() { tr -d '\r' < "$ini" | sed -n "s/^$1=//p"; }

session 1
grep -q 'WM_CLASS(STRING) = "twlc", "twlc"' "$log/run1.txt" || fail "WM_CLASS: $(cat "$log/run1.txt")"
grep -qx "StartupWMClass=twlc" "$root/usr/share/applications/$id.desktop" || fail "StartupWMClass"
grep -qx "windows 1" "$log/run1.txt" || fail "a second window appeared: $(cat "$log/run1.txt")"
[ -f "$ini" ] || fail "no settings file in the user's home"
[ "$(stat -c %a "$home/.config/tarnwell")" = 700 ] || fail "folder mode $(stat -c %a "$home/.config/tarnwell")"
[ "$(stat -c %u "$ini")" = "$user" ] || fail "the settings file is not the user's"
[ "$(value Decimal)" = 3 ] || fail "the administrator's Decimal was not carried over: $(cat "$ini")"
[ "$(value Left)" = 140 ] && [ "$(value Top)" = 70 ] || fail "position not kept: $(cat "$ini")"
[ "$(tr -d '\r' < "$root/usr/lib/tarnwell/twlc.ini")" = "$(printf '[Settings]\nDecimal=3')" ] ||
  fail "the administrator's file changed"

# The user's own choice now wins over the administrator's.
sed -i 's/^Decimal=3/Decimal=4/' "$ini"
printf '[Settings]\r\nDecimal=5\r\n' > "$root/usr/lib/tarnwell/twlc.ini"
session 2
grep -qx "start 140 70" "$log/run2.txt" || fail "the window did not start where it was left: $(cat "$log/run2.txt")"
grep -qx "windows 1" "$log/run2.txt" || fail "a second window appeared: $(cat "$log/run2.txt")"
[ "$(value Decimal)" = 4 ] && [ "$(value Left)" = 140 ] || fail "settings not kept: $(cat "$ini")"

# twlc-export reads the same file: four decimals.
setpriv --reuid="$user" --regid="$user" --clear-groups env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 \
  "$root/usr/bin/twlc-export" --amount 1000 --months 12 --rate 12 --format csv -o - > "$work/export.csv"
grep -q '^1,88\.8488,' "$work/export.csv" || fail "twlc-export did not read the user's Decimal: $(head -3 "$work/export.csv")"
echo "package test passed: $(basename "$deb")"

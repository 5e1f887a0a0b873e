#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package tarnwell_<version>_amd64.deb.
#
#   scripts/package.sh                  a clean Release build in build/package,
#                                       the package written to build/package/
#   scripts/package.sh --build DIR      packages an existing, built build tree
#                                       (the package test reuses its own)
#   scripts/package.sh --output DIR     where the .deb goes
set -euo pipefail
cd "$(dirname "$0")/.."

build=
output=
while [ $# -gt 0 ]; do
  case $1 in
    --build) build=$2; shift 2 ;;
    --output) output=$2; shift 2 ;;
    -h|--help) sed -n '2,9p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "package.sh: unknown argument: $1" >&2; exit 2 ;;
  esac
done

if [ -z "$build" ]; then
  # The packaging tools and the icon renderer besides the build's own packages.
  scripts/install-deps.sh dpkg-dev file librsvg2-bin
  build=build/package
  rm -rf "$build"
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTWL_TESTS=OFF >/dev/null
  cmake --build "$build" -j "$(nproc)"
fi
output=${output:-$build}
mkdir -p "$output"
command -v rsvg-convert >/dev/null || { echo "package.sh: rsvg-convert is needed for the icons (librsvg2-bin)" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$output/cpack" >/dev/null
deb=$(find "$output/cpack" -maxdepth 1 -name 'tarnwell_*_amd64.deb' | head -n 1)
[ -n "$deb" ] || { echo "package.sh: cpack made no package" >&2; exit 1; }
mv -f "$deb" "$output/"
rm -rf "$output/cpack"
echo "$output/$(basename "$deb")"

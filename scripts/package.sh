#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian packages tarnwell_<version>_<arch>.deb and, beside it, its
# debug symbols tarnwell-dbgsym_<version>_<arch>.deb: compiled with the
# distribution's hardening flags (dpkg-buildflags), every time in them
# SOURCE_DATE_EPOCH (the last commit's time when unset), so that two builds of
# one commit give the same bytes.
#
#   scripts/package.sh                  builds in build/package, packages there
#   scripts/package.sh --build DIR      the build tree to (re)configure and build
#   scripts/package.sh --output DIR     where the .deb files go
set -euo pipefail
cd "$(dirname "$0")/.."
source=$PWD

build=build/package
output=
while [ $# -gt 0 ]; do
  case $1 in
    --build) build=$2; shift 2 ;;
    --output) output=$2; shift 2 ;;
    -h|--help) sed -n '3,11p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "package.sh: unknown argument: $1" >&2; exit 2 ;;
  esac
done
output=${output:-$build}

# The packaging tools and the icon renderer besides the build's own packages.
scripts/install-deps.sh dpkg-dev file librsvg2-bin binutils
command -v rsvg-convert >/dev/null || { echo "package.sh: rsvg-convert is needed for the icons (librsvg2-bin)" >&2; exit 1; }

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git -C "$source" log -1 --format=%ct 2>/dev/null ||
                      dpkg-parsechangelog -l packaging/changelog -S Timestamp)
fi
export SOURCE_DATE_EPOCH

# The distribution's flags, run from the source folder so that its paths are
# mapped to "." in the debug data. Control-flow protection is not among
# dpkg's features yet; the compiler's flag adds it.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS) -fcf-protection"
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None -DTWL_TESTS=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_LIBDIR=lib \
  "-DCMAKE_CXX_FLAGS=$cxxflags" "-DCMAKE_EXE_LINKER_FLAGS=$ldflags" >/dev/null
cmake --build "$build" -j "$(nproc)" >&2
build=$(cd "$build" && pwd)
mkdir -p "$output"
output=$(cd "$output" && pwd)

# Staged where dpkg's tools look for a package's files: debian/<package>.
control=$build/packaging
main=$control/debian/tarnwell
dbg=$control/debian/tarnwell-dbgsym
rm -rf "$main" "$dbg"
mkdir -p "$main/DEBIAN" "$dbg/DEBIAN"
umask 022
DESTDIR=$main cmake --install "$build" >/dev/null
install -D -m 644 packaging/twlc.ini "$main/etc/tarnwell/twlc.ini"

# Debug data into the symbols package, found by build id; the programs keep
# a link to it.
build_ids=()
programs=(twlc twlc-export twlc-export-fonts)
for program in "${programs[@]/#/$main/usr/lib/tarnwell/}"; do
  id=$(readelf -n "$program" | sed -n 's/^ *Build ID: *//p')
  [ -n "$id" ] || { echo "package.sh: $program has no build id" >&2; exit 1; }
  debug=$dbg/usr/lib/debug/.build-id/${id:0:2}/${id:2}.debug
  mkdir -p "$(dirname "$debug")"
  objcopy --only-keep-debug --compress-debug-sections "$program" "$debug"
  chmod 644 "$debug"
  strip --remove-section=.comment --remove-section=.note "$program"
  objcopy --add-gnu-debuglink="$debug" "$program"
  build_ids+=("$id")
done
mkdir -p "$dbg/usr/share/doc"
ln -s tarnwell "$dbg/usr/share/doc/tarnwell-dbgsym"

# Control files from the generated control data, with the library
# dependencies computed from the programs.
version=$(cat "$control/version")
(
  cd "$control"
  rm -f debian/substvars debian/files
  dpkg-shlibdeps -Tdebian/substvars "${programs[@]/#/debian/tarnwell/usr/lib/tarnwell/}"
  dpkg-gencontrol -ptarnwell -P"$main" -Tdebian/substvars -fdebian/files
  dpkg-gencontrol -ptarnwell -P"$dbg" -Tdebian/substvars -fdebian/files \
    -DPackage=tarnwell-dbgsym "-DDepends=tarnwell (= $version)" -URecommends -UHomepage \
    -DSection=debug -DPriority=optional -DAuto-Built-Package=debug-symbols \
    -DPackage-Type=ddeb "-DDescription=debug symbols for tarnwell" "-DBuild-Ids=${build_ids[*]}"
)
echo /etc/tarnwell/twlc.ini > "$main/DEBIAN/conffiles"

# Same owner, modes and times whoever builds, whenever.
for root in "$main" "$dbg"; do
  find "$root" -type d -exec chmod 755 {} +
  find "$root" -type f ! -path '*/DEBIAN/*' -exec chmod 644 {} +
  find "$root/DEBIAN" -type f -exec chmod 644 {} +
  (cd "$root" && find . -type f ! -path './DEBIAN/*' ! -path ./etc/tarnwell/twlc.ini -printf '%P\0' |
     LC_ALL=C sort -z | xargs -0r md5sum > DEBIAN/md5sums)
  find "$root" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
done
chmod 755 "${programs[@]/#/$main/usr/lib/tarnwell/}"

arch=$(dpkg --print-architecture)
rm -f "$output"/tarnwell_*.deb "$output"/tarnwell-dbgsym_*.deb
dpkg-deb --root-owner-group -Zxz --build "$main" "$output/tarnwell_${version}_${arch}.deb" >/dev/null
dpkg-deb --root-owner-group -Zxz --build "$dbg" "$output/tarnwell-dbgsym_${version}_${arch}.deb" >/dev/null
echo "$output/tarnwell_${version}_${arch}.deb"
echo "$output/tarnwell-dbgsym_${version}_${arch}.deb"

#!/usr/bin/env bash
# Builds dist/stereo-chorus_<version>_amd64.deb from the Linux build in dist/linux/: the plug-ins
# where Linux hosts look without configuration, vstrender with its man page, the copyright and
# the changelog. Depends comes from dpkg-shlibdeps. Two runs from the same commit give the same
# bytes: every date is SOURCE_DATE_EPOCH (default: the commit's time), owners are root, modes
# fixed, and dpkg-deb orders the members by name.
# Usage: packaging/debian/build-deb.sh [output-dir]   (default dist/)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
out="$(realpath -m "${1:-$root/dist}")"
version="$("$root/scripts/product-version.sh")"
linux="$root/dist/linux"
work="$root/build/deb"
stage="$work/stereo-chorus"
deb="$out/stereo-chorus_${version}_amd64.deb"
: "${SOURCE_DATE_EPOCH:=$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 0)}"
export SOURCE_DATE_EPOCH

for f in StereoChorus.so StereoChorus.clap vstrender StereoChorus.vst3/Contents/x86_64-linux/StereoChorus.so \
         StereoChorus.lv2/manifest.ttl StereoChorus.lv2/StereoChorus.so StereoChorus.lv2/StereoChorusUI.so; do
  [ -f "$linux/$f" ] || { echo "build-deb.sh: $linux/$f is missing (make build-linux first)" >&2; exit 1; }
done

rm -rf "$work"
mkdir -p "$stage/DEBIAN" "$out"
# Binaries are installed stripped, as Debian's own packages are (the debug data stays in dist/);
# plug-ins are libraries that hosts load, not programs, so they are not executable.
plugin() { install -D -m 644 "$1" "$2" && strip --remove-section=.comment --remove-section=.note --strip-unneeded "$2"; }
plugin "$linux/StereoChorus.so" "$stage/usr/lib/vst/StereoChorus.so"
plugin "$linux/StereoChorus.clap" "$stage/usr/lib/clap/StereoChorus.clap"
plugin "$linux/StereoChorus.vst3/Contents/x86_64-linux/StereoChorus.so" \
       "$stage/usr/lib/vst3/StereoChorus.vst3/Contents/x86_64-linux/StereoChorus.so"
for so in StereoChorus.so StereoChorusUI.so; do
  plugin "$linux/StereoChorus.lv2/$so" "$stage/usr/lib/lv2/StereoChorus.lv2/$so"
done
install -m 644 "$linux"/StereoChorus.lv2/*.ttl "$stage/usr/lib/lv2/StereoChorus.lv2/"
install -D -m 755 "$linux/vstrender" "$stage/usr/bin/vstrender"
strip --remove-section=.comment --remove-section=.note "$stage/usr/bin/vstrender"

docs="$stage/usr/share/doc/stereo-chorus"
install -D -m 644 "$here/copyright" "$docs/copyright"
date="$(LC_ALL=C date -u -R -d "@$SOURCE_DATE_EPOCH")"
sed -e "s/@VERSION@/$version/g" -e "s/@DATE@/$date/" "$here/changelog.in" | gzip -9n >"$docs/changelog.gz"
mkdir -p "$stage/usr/share/man/man1"
sed "s/@VERSION@/$version/g" "$here/vstrender.1" | gzip -9n >"$stage/usr/share/man/man1/vstrender.1.gz"
chmod 644 "$docs/changelog.gz" "$stage/usr/share/man/man1/vstrender.1.gz"

# dpkg-shlibdeps reads the shared libraries each binary needs; it wants a debian/control beside it.
mkdir -p "$work/src/debian"
printf 'Source: stereo-chorus\n\nPackage: stereo-chorus\nArchitecture: amd64\n' >"$work/src/debian/control"
mapfile -t binaries < <(cd "$stage" && find usr -type f \( -name '*.so' -o -name '*.clap' -o -path '*/bin/*' \) | sort)
depends="$(cd "$work/src" && dpkg-shlibdeps -O "${binaries[@]/#/$stage/}" | sed -n 's/^shlibs:Depends=//p')"
[ -n "$depends" ] || { echo "build-deb.sh: dpkg-shlibdeps found no dependencies" >&2; exit 1; }
# The editor draws its text in DejaVu Sans, which no library dependency brings.
depends="$depends, fonts-dejavu-core"

# Installed-Size as dpkg counts it: each file's size in KiB rounded up, plus one per directory.
size="$(cd "$stage" && find usr \( -type f -printf '%s\n' \) -o \( -type d -printf '1024\n' \) |
        awk '{ kib += int(($1 + 1023) / 1024) } END { print kib }')"
sed -e "s/@VERSION@/$version/" -e "s/@SIZE@/$size/" -e "s/@DEPENDS@/$depends/" "$here/control.in" \
    >"$stage/DEBIAN/control"
(cd "$stage" && find usr -type f | sort | xargs md5sum) >"$stage/DEBIAN/md5sums"
chmod 644 "$stage/DEBIAN/control" "$stage/DEBIAN/md5sums"
find "$stage" -type d -exec chmod 755 {} +
find "$stage" -exec touch --no-dereference --date="@$SOURCE_DATE_EPOCH" {} +
dpkg-deb --root-owner-group -Zxz --build "$stage" "$deb" >/dev/null
echo "$deb"

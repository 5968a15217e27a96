#!/usr/bin/env bash
# Builds dist/StereoChorus-<version>-setup.exe with NSIS (makensis) from the Windows builds in
# dist/win64/ and dist/win32/, the README, the licence and the installation note.
# Usage: packaging/windows/build-installer.sh [output-dir [version binaries-dir]]
#   defaults: dist/, the product's version, dist/ (holding win64/ and win32/); the installer's
#   test builds an "older" installer from other binaries with the last two.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
out="$(realpath -m "${1:-$root/dist}")"
version="${2:-$("$root/scripts/product-version.sh")}"
binaries="$(realpath -m "${3:-$root/dist}")"
setup="$out/StereoChorus-$version-setup.exe"

for f in win64/StereoChorus.dll win64/StereoChorus.clap win64/StereoChorus.vst3/Contents/x86_64-win/StereoChorus.vst3 \
         win32/StereoChorus.dll win32/StereoChorus.clap win32/StereoChorus.vst3/Contents/x86-win/StereoChorus.vst3; do
  [ -f "$binaries/$f" ] || { echo "build-installer.sh: $binaries/$f is missing (make build-win64 build-win32 first)" >&2; exit 1; }
done
command -v makensis >/dev/null || { echo "build-installer.sh: makensis is missing (Debian package nsis)" >&2; exit 1; }

# The documents as they go beside the installed program, gathered in one folder.
docs="$(mktemp -d)"
trap 'rm -rf "$docs"' EXIT
mkdir -p "$out"
cp "$root/README.md" "$root/packaging/LICENSE.txt" "$root/packaging/INSTALL.txt" "$docs/"
# The licence page wraps lines itself: a line the text file wrapped (a long one) is joined to the next.
awk '{ if (long && $0 == "") printf "\n"; long = length($0) >= 80; printf "%s%s", $0, (long ? " " : "\n") }' \
    "$root/packaging/LICENSE.txt" >"$docs/licence-page.txt"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DWIN64="$binaries/win64" -DWIN32="$binaries/win32" \
         -DDOCS="$docs" -DICON="$here/StereoChorus.ico" -DOUTFILE="$setup" "$here/StereoChorus.nsi"
echo "$setup"

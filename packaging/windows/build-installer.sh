#!/usr/bin/env bash
# Builds dist/StereoChorus-<version>-setup.exe with NSIS (makensis) from the Windows builds in
# dist/win64/ and dist/win32/, the README, the licence and the installation note.
# Usage: packaging/windows/build-installer.sh [output-dir]   (default dist/)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
out="$(realpath -m "${1:-$root/dist}")"
version="$("$root/scripts/product-version.sh")"
setup="$out/StereoChorus-$version-setup.exe"

for f in win64/StereoChorus.dll win64/StereoChorus.clap win64/StereoChorus.vst3/Contents/x86_64-win/StereoChorus.vst3 \
         win32/StereoChorus.dll win32/StereoChorus.clap win32/StereoChorus.vst3/Contents/x86-win/StereoChorus.vst3; do
  [ -f "$root/dist/$f" ] || { echo "build-installer.sh: dist/$f is missing (make build-win64 build-win32 first)" >&2; exit 1; }
done
command -v makensis >/dev/null || { echo "build-installer.sh: makensis is missing (Debian package nsis)" >&2; exit 1; }

# The documents as they go beside the installed program, gathered in one folder.
docs="$root/build/installer/docs"
rm -rf "$docs" && mkdir -p "$docs" "$out"
cp "$root/README.md" "$root/packaging/LICENSE.txt" "$root/packaging/INSTALL.txt" "$docs/"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DWIN64="$root/dist/win64" -DWIN32="$root/dist/win32" \
         -DDOCS="$docs" -DICON="$here/StereoChorus.ico" -DOUTFILE="$setup" "$here/StereoChorus.nsi"
echo "$setup"

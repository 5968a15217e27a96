#!/usr/bin/env bash
# Prints the product's version: the VERSION of project() in CMakeLists.txt, the one place it is
# kept. The binaries get it from CMake; make dist, the installer and the Debian package from here.
set -eu
root="$(cd "$(dirname "$0")/.." && pwd)"
version="$(sed -n 's/^project(StereoChorus VERSION \([0-9][0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
[ -n "$version" ] || { echo "product-version.sh: no project(StereoChorus VERSION x.y.z) in CMakeLists.txt" >&2; exit 1; }
echo "$version"

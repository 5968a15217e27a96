#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests, the demo and the bench need.
# Skips everything when the packages are already there, so repeated runs are fast.
set -euo pipefail

native=(cmake g++ make googletest libgtest-dev libbenchmark-dev libsndfile1-dev pkg-config
        g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools wine wine64 sox imagemagick libpng-dev zip
        ardour python3
        tap-plugins caps swh-plugins ladspa-sdk        # the LADSPA chorus peers of the bench
        calf-plugins                                   # its LV2 peer, Calf Multi Chorus
        clang-14 libclang-rt-14-dev llvm   # sanitizer and fuzzer builds; llvm brings llvm-symbolizer
        lv2-dev lilv-utils                 # LV2: the headers, and lv2info / lv2apply for the bundle tests
        libxcb1-dev libcairo2-dev fonts-dejavu-core  # the Linux editor (X11 through xcb, cairo for text)
        xvfb libxcb-xtest0-dev)           # its tests: a private X server and real input
# Qtractor's plug-in scanner reads the CLAP build in make test-hosts.
native+=(qtractor)
# jalv.gtk3 shows the LV2 bundle's X11 UI in make test-hosts, on a JACK server of its own.
native+=(jalv jackd2 x11-utils)
# Only the i386 LMMS can load VST plug-ins: its VST server runs the 32-bit DLL under Wine.
foreign=(wine32:i386 lmms:i386 lmms-vst-server:i386)

missing=()
for p in "${native[@]}" "${foreign[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

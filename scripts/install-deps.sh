#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests, the demo and the bench need.
# Skips everything when the packages are already there, so repeated runs are fast.
set -euo pipefail

native=(cmake g++ make googletest libgtest-dev libbenchmark-dev valgrind libsndfile1-dev pkg-config
        g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools wine wine64 sox imagemagick libpng-dev zip
        ardour python3
        tap-plugins caps swh-plugins ladspa-sdk        # the LADSPA chorus peers of the bench
        calf-plugins                                   # its LV2 peer, Calf Multi Chorus
        clang-14 libclang-rt-14-dev llvm   # sanitizer and fuzzer builds; llvm brings llvm-symbolizer
        lv2-dev lilv-utils sordi           # LV2: the headers, lv2info / lv2apply for the bundle tests, sordi for lv2_validate
        libxcb1-dev libcairo2-dev fonts-dejavu-core  # the Linux editor (X11 through xcb, cairo for text)
        xvfb libxcb-xtest0-dev)           # its tests: a private X server and real input
# make dist: the Windows installer (makensis) and the Debian package (dpkg-shlibdeps), its check
# (lintian) and its man page test (man-db).
native+=(nsis dpkg-dev lintian man-db)
# Qtractor's plug-in scanner reads the CLAP build in make test-hosts.
native+=(qtractor)
# jalv.gtk3 shows the LV2 bundle's X11 UI in make test-hosts, on a JACK server of its own.
native+=(jalv jackd2 x11-utils)
# The web page: emcc compiles the plug-in to WebAssembly; its tests drive Debian's chromium from
# Node (Playwright, from web/package-lock.json).
native+=(emscripten chromium nodejs)
# Only the i386 LMMS can load VST plug-ins: its VST server runs the 32-bit DLL under Wine.
foreign=(wine32:i386 lmms:i386 lmms-vst-server:i386)

missing=()
for p in "${native[@]}" "${foreign[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# Node from elsewhere (NodeSource) brings its own npm; Debian's comes as a package.
command -v npm >/dev/null || missing+=(npm)

# The page tests' npm packages, exactly as locked; no browser is downloaded.
install_web_test_packages() {
  local web
  web="$(cd "$(dirname "${BASH_SOURCE[0]}")/../web" && pwd)"
  [ -d "$web/node_modules/playwright-core" ] && return 0
  echo "installing the web page tests' npm packages"
  (cd "$web" && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
}

if [ ${#missing[@]} -eq 0 ]; then
  install_web_test_packages
  exit 0
fi

echo "installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
install_web_test_packages

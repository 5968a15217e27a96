#!/usr/bin/env bash
# Proves the LV2 bundle in Ardour 7, headless: ardour7-lua loads it by URI from LV2_PATH, lists
# the factory presets, renders the scenarios of ardour/render-lv2.lua on the dummy backend, and
# the renders pass the checks the VST 2 run passes.
# Usage: tests/hosts/ardour-lv2.sh [StereoChorus.lv2]   (default dist/linux/StereoChorus.lv2)
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
bundle="$(realpath "${1:-$root/dist/linux/StereoChorus.lv2}")"
work="$root/build/hosts/ardour-lv2"
check="$here/wavcheck.py"
uri=http://www.orvane-music.com/plugins/stereo-chorus
presets="Clean Chorus|Drive Chorus|Crazy Voice|Normalized|De-pitch|Short Delay|Oscillator|Vibrato|Gargle|Mono Chorus"
block=1024                    # render-lv2.lua's buffer size
skip=$((2 * block))
frames=88200

fail() { echo "FAIL ardour-lv2: $*"; exit 1; }
[ -f "$bundle/manifest.ttl" ] || fail "no LV2 bundle at $bundle"
command -v ardour7-lua >/dev/null || fail "ardour7-lua is missing (package ardour)"

# A fresh HOME per run, and an LV2 path holding only this bundle and the system's vocabularies.
rm -rf "$work"
mkdir -p "$work/lv2" "$work/out"
ln -s "$bundle" "$work/lv2/StereoChorus.lv2"
export LV2_PATH="$work/lv2:/usr/lib/lv2"
export HOME="$work/home"
unset XDG_CONFIG_HOME XDG_CACHE_HOME XDG_DATA_HOME DISPLAY WAYLAND_DISPLAY
config="$HOME/.config/ardour7"
mkdir -p "$config/scripts" "$config/export"
cp "$here/ardour/test-signal.lua" "$config/scripts/"
cp "$here/ardour/float-wav.format" "$here/ardour/float-wav.preset" "$config/export/"

# As in ardour.sh: Ardour 7.3's AVX-512 mixing corrupts the heap during exports.
export ARDOUR_FPU_FLAGS=15
if ! timeout 300 ardour7-lua "$here/ardour/render-lv2.lua" "$work/session" "$work/out" "$uri" "$presets" \
     >"$work/render.log" 2>&1; then
  cat "$work/render.log"
  fail "ardour7-lua did not finish the renders"
fi
grep -m1 '^loaded' "$work/render.log"
grep -m1 '^presets listed' "$work/render.log"

status=0
source "$here/checks.sh"
check_renders ardour-lv2 "$work/out"
exit $status

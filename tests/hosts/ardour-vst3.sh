#!/usr/bin/env bash
# Proves the Linux VST 3 bundle in Ardour 7 (its own VST 3 support), headless: the renders of
# ardour/render-vst3.lua measured as the VST 2 run's are, and the program names as Ardour lists
# them.
# Usage: tests/hosts/ardour-vst3.sh [StereoChorus.vst3]   (default dist/linux/StereoChorus.vst3)
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
bundle="$(realpath "${1:-$root/dist/linux/StereoChorus.vst3}")"
work="$root/build/hosts/ardour-vst3"
check="$here/wavcheck.py"
class_id=4F6D765343686F727573337636716E76 # plugin/Vst3Entry.cpp
block=1024
skip=$((2 * block))
frames=88200
ardour_lib=/usr/lib/ardour7
programs=("Default" "Clean Chorus" "Drive Chorus" "Crazy Voice" "Normalized" "De-pitch" "Short Delay"
          "Oscillator" "Vibrato" "Gargle" "Mono Chorus" "Default" "Default" "Default" "Default" "Default")

fail() { echo "FAIL ardour-vst3: $*"; exit 1; }
[ -f "$bundle/Contents/x86_64-linux/StereoChorus.so" ] || fail "no bundle at $bundle"
command -v ardour7-lua >/dev/null || fail "ardour7-lua is missing (package ardour)"

# A fresh HOME per run, as in ardour.sh; the VST 3 path is Ardour's "plugin-path-vst3".
rm -rf "$work"
mkdir -p "$work/vst3" "$work/out"
export HOME="$work/home"
unset XDG_CONFIG_HOME XDG_CACHE_HOME XDG_DATA_HOME DISPLAY WAYLAND_DISPLAY
config="$HOME/.config/ardour7"
mkdir -p "$config/scripts" "$config/export"
cp "$here/ardour/test-signal.lua" "$config/scripts/"
cp "$here/ardour/float-wav.format" "$here/ardour/float-wav.preset" "$config/export/"
cat >"$config/config" <<XML
<?xml version="1.0" encoding="UTF-8"?>
<Ardour>
  <Config>
    <Option name="plugin-path-vst3" value="$work/vst3"/>
  </Config>
</Ardour>
XML

# Ardour uses a bundle only once its scanner has cached it, and skips one not older than the
# cache entry: scan a copy dated a minute back.
cp -r "$bundle" "$work/vst3/StereoChorus.vst3"
find "$work/vst3" -exec touch -d '1 minute ago' {} +
LD_LIBRARY_PATH="$ardour_lib" timeout 60 "$ardour_lib/ardour-vst3-scanner" -f "$work/vst3/StereoChorus.vst3" \
  >"$work/scan.log" 2>&1 || { cat "$work/scan.log"; fail "ardour-vst3-scanner could not scan the bundle"; }
grep -qs 'uid="'"$class_id"'"' "$HOME"/.cache/ardour7/vst/*.v3i || { cat "$work/scan.log"; fail "the scan cache holds no class $class_id"; }

# See ardour.sh: Ardour 7.3's AVX-512 mixing corrupts the heap during exports.
export ARDOUR_FPU_FLAGS=15
if ! timeout 300 ardour7-lua "$here/ardour/render-vst3.lua" "$work/session" "$work/out" "$class_id" >"$work/render.log" 2>&1; then
  cat "$work/render.log"
  fail "ardour7-lua did not finish the renders"
fi
grep '^loaded' "$work/render.log" | head -1
grep '^chose' "$work/render.log" | head -1

status=0
for i in "${!programs[@]}"; do
  if ! grep -qx "program $i ${programs[$i]}" "$work/render.log"; then
    echo "FAIL ardour-vst3 program $i: Ardour lists '$(sed -n "s/^program $i //p" "$work/render.log")', expected '${programs[$i]}'"
    status=1
  fi
done
[ $status -eq 0 ] && echo "ok    ardour-vst3 lists the 16 programs by name (1 \"Clean Chorus\" .. 10 \"Mono Chorus\")"
source "$here/checks.sh"
check_renders ardour-vst3 "$work/out"
exit $status

#!/usr/bin/env bash
# Proves the Linux plug-in in Ardour 7, headless: renders the scenarios of ardour/render.lua with
# ardour7-lua on the dummy backend and measures them against the dry renders.
# Usage: tests/hosts/ardour.sh [plugin.so]   (default dist/linux/StereoChorus.so)
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
plugin="$(realpath "${1:-$root/dist/linux/StereoChorus.so}")"
work="$root/build/hosts/ardour"
check="$here/wavcheck.py"
vst_id=913403510              # 0x36716E76, '6qnv'
block=1024                    # render.lua's buffer size
skip=$((2 * block))
frames=88200
ardour_lib=/usr/lib/ardour7

fail() { echo "FAIL ardour: $*"; exit 1; }
[ -f "$plugin" ] || fail "no plug-in at $plugin"
command -v ardour7-lua >/dev/null || fail "ardour7-lua is missing (package ardour)"

# A fresh HOME per run: Ardour reads its plug-in path only from ~/.config/ardour7/config and
# keeps its scan cache under ~/.cache.
rm -rf "$work"
mkdir -p "$work/vst" "$work/out"
export HOME="$work/home"
unset XDG_CONFIG_HOME XDG_CACHE_HOME XDG_DATA_HOME DISPLAY WAYLAND_DISPLAY
config="$HOME/.config/ardour7"
mkdir -p "$config/scripts" "$config/export"
cp "$here/ardour/test-signal.lua" "$config/scripts/"
cp "$here/ardour/float-wav.format" "$here/ardour/float-wav.preset" "$config/export/"
cat >"$config/config" <<EOF
<?xml version="1.0" encoding="UTF-8"?>
<Ardour>
  <Config>
    <Option name="plugin-path-lxvst" value="$work/vst"/>
  </Config>
</Ardour>
EOF

# Ardour skips a plug-in whose file is not older than its scan-cache entry, so a build scanned
# within the same second would be ignored: scan a copy dated a minute back.
cp "$plugin" "$work/vst/StereoChorus.so"
touch -d '1 minute ago' "$work/vst/StereoChorus.so"
LD_LIBRARY_PATH="$ardour_lib" timeout 60 "$ardour_lib/ardour-vst-scanner" -f "$work/vst/StereoChorus.so" \
  >"$work/scan.log" 2>&1 || { cat "$work/scan.log"; fail "ardour-vst-scanner could not scan the plug-in"; }
grep -qs 'id="'"$vst_id"'"' "$HOME"/.cache/ardour7/vst/*.v2i || { cat "$work/scan.log"; fail "the scan cache holds no plug-in with id $vst_id"; }

# Ardour 7.3's AVX-512 buffer mixing corrupts the heap during exports on machines that have it
# (a third or more of the runs crash); these flags (flush-to-zero, denormals-are-zero, SSE, SSE2)
# make it use its plain SSE routines, which every x86-64 machine has.
export ARDOUR_FPU_FLAGS=15
if ! timeout 300 ardour7-lua "$here/ardour/render.lua" "$work/session" "$work/out" "$vst_id" >"$work/render.log" 2>&1; then
  cat "$work/render.log"
  fail "ardour7-lua did not finish the renders"
fi
grep '^loaded' "$work/render.log" | head -1

status=0
source "$here/checks.sh"
check_renders ardour "$work/out"
exit $status

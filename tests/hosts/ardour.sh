#!/usr/bin/env bash
# Proves one plug-in format in Ardour 7, headless: renders the scenarios of ardour/render.lua with
# ardour7-lua on the dummy backend and measures them against the dry renders.
# Usage: tests/hosts/ardour.sh vst2|vst3|lv2 [plug-in [installed]]
#   defaults: dist/linux/StereoChorus.so, dist/linux/StereoChorus.vst3, dist/linux/StereoChorus.lv2
#   installed: the plug-in is where Ardour looks by default (the Debian package's folders), so no
#   plug-in path is configured and the plug-in is scanned where it is.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
check="$here/wavcheck.py"
block=1024                    # render.lua's buffer size
skip=$((2 * block))
frames=88200
ardour_lib=/usr/lib/ardour7

format="${1:-}"
installed="${3:-}"
case "$format" in
  vst2)
    name=ardour
    plugin="${2:-$root/dist/linux/StereoChorus.so}"
    inside=""                 # the file that must exist in what was given
    id=913403510              # 0x36716E76, '6qnv'
    ;;
  vst3)
    name=ardour-vst3
    plugin="${2:-$root/dist/linux/StereoChorus.vst3}"
    inside=/Contents/x86_64-linux/StereoChorus.so
    id=4F6D765343686F727573337636716E76 # plugin/Vst3Entry.cpp
    programs=("Default" "Clean Chorus" "Drive Chorus" "Crazy Voice" "Normalized" "De-pitch" "Short Delay"
              "Oscillator" "Vibrato" "Gargle" "Mono Chorus" "Default" "Default" "Default" "Default" "Default")
    ;;
  lv2)
    name=ardour-lv2
    plugin="${2:-$root/dist/linux/StereoChorus.lv2}"
    inside=/manifest.ttl
    id=http://www.orvane-music.com/plugins/stereo-chorus
    presets="Clean Chorus|Drive Chorus|Crazy Voice|Normalized|De-pitch|Short Delay|Oscillator|Vibrato|Gargle|Mono Chorus"
    ;;
  *)
    echo "usage: tests/hosts/ardour.sh vst2|vst3|lv2 [plug-in]" >&2
    echo "FAIL ardour: unknown plug-in format '$format'"
    exit 2
    ;;
esac
[ -n "$installed" ] && name="$name-installed"
work="$root/build/hosts/$name"

fail() { echo "FAIL $name: $*"; exit 1; }
[ -e "$plugin" ] || fail "no $format plug-in at $plugin"
plugin="$(realpath "$plugin")"
[ -f "$plugin$inside" ] || fail "no $format plug-in at $plugin (missing $plugin$inside)"
command -v ardour7-lua >/dev/null || fail "ardour7-lua is missing (package ardour)"

# A fresh HOME per run: Ardour reads its plug-in path only from ~/.config/ardour7/config and
# keeps its scan cache under ~/.cache.
rm -rf "$work"
mkdir -p "$work/plugins" "$work/out"
export HOME="$work/home"
unset XDG_CONFIG_HOME XDG_CACHE_HOME XDG_DATA_HOME DISPLAY WAYLAND_DISPLAY
config="$HOME/.config/ardour7"
mkdir -p "$config/scripts" "$config/export"
cp "$here/ardour/test-signal.lua" "$config/scripts/"
cp "$here/ardour/float-wav.format" "$here/ardour/float-wav.preset" "$config/export/"

# scan OPTION SCANNER CACHE-GLOB ATTRIBUTE: Ardour uses a VST only once its scanner has cached
# it, and skips a file not older than its cache entry, so a build scanned within the same second
# would be ignored: scan a copy dated a minute back.
# An installed plug-in is older than any cache entry already, and Ardour must find it on its own.
scan() {
  local option="$1" scanner="$2" cache="$3" attribute="$4" copy="$work/plugins/$(basename "$plugin")"
  if [ -n "$installed" ]; then
    copy="$plugin"
  else
    cat >"$config/config" <<EOF
<?xml version="1.0" encoding="UTF-8"?>
<Ardour>
  <Config>
    <Option name="$option" value="$work/plugins"/>
  </Config>
</Ardour>
EOF
    cp -r "$plugin" "$copy"
    find "$copy" -exec touch -d '1 minute ago' {} +
  fi
  LD_LIBRARY_PATH="$ardour_lib" timeout 60 "$ardour_lib/$scanner" -f "$copy" >"$work/scan.log" 2>&1 ||
    { cat "$work/scan.log"; fail "$scanner could not scan $copy"; }
  grep -qs "$attribute=\"$id\"" "$HOME"/.cache/ardour7/vst/$cache ||
    { cat "$work/scan.log"; fail "the scan cache holds no plug-in with $attribute $id"; }
}

case "$format" in
  vst2) scan plugin-path-lxvst ardour-vst-scanner '*.v2i' id ;;
  vst3) scan plugin-path-vst3 ardour-vst3-scanner '*.v3i' uid ;;
  # LV2 needs no scan: an LV2 path holding only this bundle and the system's vocabularies.
  lv2) if [ -z "$installed" ]; then
         ln -s "$plugin" "$work/plugins/$(basename "$plugin")"
         export LV2_PATH="$work/plugins:/usr/lib/lv2"
       else
         unset LV2_PATH
       fi ;;
esac

# Ardour 7.3's AVX-512 buffer mixing corrupts the heap during exports on machines that have it
# (a third or more of the runs crash); these flags (flush-to-zero, denormals-are-zero, SSE, SSE2)
# make it use its plain SSE routines, which every x86-64 machine has.
export ARDOUR_FPU_FLAGS=15
if ! timeout 300 ardour7-lua "$here/ardour/render.lua" "$work/session" "$work/out" "$format" "$id" ${presets:+"$presets"} \
     >"$work/render.log" 2>&1; then
  cat "$work/render.log"
  fail "ardour7-lua did not finish the renders"
fi
grep -m1 '^loaded' "$work/render.log"
grep -m1 '^chose' "$work/render.log"
grep -m1 '^presets listed' "$work/render.log"

status=0
if [ "$format" = vst3 ]; then
  for i in "${!programs[@]}"; do
    if ! grep -qx "program $i ${programs[$i]}" "$work/render.log"; then
      echo "FAIL $name program $i: Ardour lists '$(sed -n "s/^program $i //p" "$work/render.log")', expected '${programs[$i]}'"
      status=1
    fi
  done
  [ $status -eq 0 ] && echo "ok    $name lists the 16 programs by name (1 \"Clean Chorus\" .. 10 \"Mono Chorus\")"
fi
source "$here/checks.sh"
check_renders "$name" "$work/out"
exit $status

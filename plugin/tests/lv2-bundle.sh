#!/usr/bin/env bash
# The LV2 bundle as lilv's own tools see it: lv2_validate finds no error in it, lv2info reads it
# without a word on stderr and finds
# the chorus class, the ten presets, the LFO Type labels and the X11 UI; lv2apply renders through it, for each
# setting, bit for bit what vstrender renders through the VST 2 plug-in in the same 1-frame
# blocks (lv2apply runs one frame at a time). Presets are applied with the values presets.ttl
# holds, so the file is proven against the programs too.
# Usage: lv2-bundle.sh BUNDLE_DIR VSTRENDER VST_PLUGIN WORK_DIR
set -uo pipefail
bundle="$(realpath "$1")" vstrender="$2" vst="$3" work="$4"
uri=http://www.orvane-music.com/plugins/stereo-chorus
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }
pass() { echo "ok   $*"; }

rm -rf "$work" && mkdir -p "$work/path" || exit 1
work="$(realpath "$work")"
# Only this bundle and the system's LV2 vocabularies, so nothing else on the path can warn.
ln -s "$bundle" "$work/path/StereoChorus.lv2"
export LV2_PATH="$work/path:/usr/lib/lv2"

if ! lv2info "$uri" >"$work/info.txt" 2>"$work/info.err"; then
  fail "lv2info exits with an error"; cat "$work/info.err"
elif [ -s "$work/info.err" ]; then
  fail "lv2info complains:"; cat "$work/info.err"
else
  missing=()
  for text in "Class:             Chorus Plugin" "Has latency:       yes" 0\ =\ \"Sine\" 1\ =\ \"Triangle\" \
              "Clean Chorus" "Drive Chorus" "Crazy Voice" "Normalized" "De-pitch" "Short Delay" "Oscillator" \
              "Vibrato" "Gargle" "Mono Chorus" "Designation: http://lv2plug.in/ns/lv2core#enabled" \
              "Class:  http://lv2plug.in/ns/extensions/ui#X11UI" "StereoChorus.lv2/StereoChorusUI.so"; do
    grep -qF "$text" "$work/info.txt" || missing+=("$text")
  done
  [ ${#missing[@]} -eq 0 ] && pass "lv2info reads the bundle cleanly" || fail "lv2info does not show: ${missing[*]}"
fi

# LV2's own validator on the bundle, against the LV2 vocabularies: no error.
if lv2_validate "$bundle"/*.ttl >"$work/validate.txt" 2>&1 && ! grep -q "^error:" "$work/validate.txt" &&
   grep -q "Found 0 errors" "$work/validate.txt"; then
  pass "lv2_validate finds no error"
else
  fail "lv2_validate:"; grep -A3 "^error:" "$work/validate.txt"; tail -1 "$work/validate.txt"
fi

# Half a second of two sines, a different one per channel, as 32-bit float.
sox -V1 -n -r 44100 -c 2 -b 32 -e floating-point "$work/in.wav" synth 0.5 sine 220 sine 523 gain -6 || exit 1

# A preset's port values, as "-c symbol value" arguments, straight from presets.ttl.
preset_controls() {
  python3 - "$bundle/presets.ttl" "$1" <<'PY'
import re, sys
text = open(sys.argv[1]).read()
for block in text.split(" .\n"):
    if 'rdfs:label "%s"' % sys.argv[2] in block:
        for symbol, value in re.findall(r'lv2:symbol "(\w+)" ;\s*pset:value (\S+)', block):
            print("-c", symbol, value)
        break
else:
    sys.exit("no preset %s in presets.ttl" % sys.argv[2])
PY
}

# render NAME "vstrender options" "lv2apply options"
render() {
  local name="$1" vst_options="$2" lv2_options="$3"
  eval "\"$vstrender\" --plugin \"$vst\" --quiet --block 1 $vst_options \"$work/in.wav\" \"$work/$name.vst.wav\"" \
    || { fail "$name: vstrender failed"; return; }
  eval "lv2apply $lv2_options -i \"$work/in.wav\" -o \"$work/$name.lv2.wav\" \"$uri\"" 2>"$work/$name.err" \
    || { fail "$name: lv2apply failed"; cat "$work/$name.err"; return; }
  sox -V1 "$work/$name.vst.wav" -t f32 "$work/$name.vst.raw" && sox -V1 "$work/$name.lv2.wav" -t f32 "$work/$name.lv2.raw" \
    || { fail "$name: unreadable render"; return; }
  if cmp -s "$work/$name.vst.raw" "$work/$name.lv2.raw"; then
    pass "$name: bit-identical ($(stat -c %s "$work/$name.lv2.raw") bytes)"
  else
    fail "$name: the LV2 render differs from the VST 2 one ($(cmp "$work/$name.vst.raw" "$work/$name.lv2.raw"))"
  fi
}

render defaults "" ""
for preset in "Clean Chorus" "Drive Chorus" "Crazy Voice" "Normalized" "De-pitch" "Short Delay" "Oscillator" \
              "Vibrato" "Gargle" "Mono Chorus"; do
  controls="$(preset_controls "$preset")" || { fail "$preset: not in presets.ttl"; continue; }
  render "preset-${preset// /-}" "--program \"$preset\"" "$(echo $controls)"
done
render settings "--param Depth=40 --param 'LFO Frequency=1.5' --param Stereo=0 --param 'LFO Type=1' --param Delay=7.5" \
  "-c depth 40 -c lfo_frequency 1.5 -c stereo 0 -c lfo_type 1 -c delay 7.5"
# Real values that no float holds: a real value becomes the same normalised value in vstrender as
# in the plug-in's own conversion, which LV2 ports go through.
render real-values "--param 'LFO Frequency=0.8' --param Delay=0.03 --param Gain=-6.7 --param Depth=33.3 --param Wet=12.34" \
  "-c lfo_frequency 0.8 -c delay 0.03 -c gain -6.7 -c depth 33.3 -c wet 12.34"
render bypass "--bypass" "-c enabled 0"
# Values that are not finite are refused: the defaults stay.
render not-finite "" "-c gain nan -c delay inf -c lfo_type -inf"
# Far out of range (VST 2 hosts cannot send these; the core takes them as it takes normalised
# values beyond 0..1): the output stays finite.
if lv2apply -c gain 60 -c wet -50 -c delay 1e30 -c depth 1000 -c lfo_frequency -3e38 -c lfo_type 7 \
     -i "$work/in.wav" -o "$work/wild.wav" "$uri" 2>"$work/wild.err" && sox -V1 "$work/wild.wav" -t f32 "$work/wild.raw" &&
   python3 -c 'import array, math, sys; a = array.array("f", open(sys.argv[1], "rb").read()); sys.exit(not all(map(math.isfinite, a)))' \
     "$work/wild.raw"; then
  pass "out-of-range values: finite output"
else
  fail "out-of-range values: lv2apply failed or the output is not finite"; cat "$work/wild.err"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures failed"
  exit 1
fi
echo "every LV2 check passed"

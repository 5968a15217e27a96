#!/usr/bin/env bash
# Makes a short musical test signal (plucked guitar-like chords, stereo, 44.1 kHz) with sox and
# renders it through a few factory programs of the plug-in with vstrender, all into out/; then
# opens the Windows DLL's editor under Wine and saves out/editor.png, out/editor-presets.png and
# out/editor-200.png (at 200 %), and the Linux .so's editor under Xvfb for out/editor-linux.png,
# out/editor-linux-presets.png and out/editor-linux-200.png.
#   scripts/demo.sh [PROGRAM...]      default programs: "Clean Chorus", "Crazy Voice", "Vibrato"
# VSTRENDER and DEMO_PLUGIN choose another tool or plug-in (default: dist/linux/StereoChorus.so).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
vstrender="${VSTRENDER:-$root/dist/linux/vstrender}"
plugin_option=()
[ -n "${DEMO_PLUGIN:-}" ] && plugin_option=(--plugin "$DEMO_PLUGIN")
programs=("$@")
[ ${#programs[@]} -eq 0 ] && programs=("Clean Chorus" "Crazy Voice" "Vibrato")

out="$root/out"
mkdir -p "$out"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# One strummed chord: five plucked strings, each a little later than the one below it, spread
# from left (low strings) to right (high strings).
chord() { # name seconds note1..note5
    local name=$1 seconds=$2
    shift 2
    sox -r 44100 -c 5 -n -c 2 -e floating-point "$work/$name.wav" \
        synth "$((${seconds%.*} + 1))" pluck "$1" pluck "$2" pluck "$3" pluck "$4" pluck "$5" \
        delay 0 0.06 0.12 0.18 0.24 remix 1,2,3v0.5 3v0.5,4,5 trim 0 "$seconds"
}
chord 1-am 1.5 A2 E3 A3 C4 E4
chord 2-f  1.5 F2 C3 F3 A3 C4
chord 3-c  1.5 C3 G3 C4 E4 G4
chord 4-g  1.5 G2 D3 G3 B3 D4
chord 5-am 2.5 A2 E3 A3 C4 E4

# Peaks at -6 dBFS leave room for the chorus, whose dry and wet signals add up.
input="$out/demo-input.wav"
sox "$work"/1-am.wav "$work"/2-f.wav "$work"/3-c.wav "$work"/4-g.wav "$work"/5-am.wav \
    -b 16 "$input" fade 0 -0 0.8 norm -6
echo "$input"

for program in "${programs[@]}"; do
    slug="$(echo "$program" | tr '[:upper:]' '[:lower:]' | tr -cs 'a-z0-9' '-' | sed 's/^-//; s/-$//')"
    output="$out/demo-$slug.wav"
    "$vstrender" "${plugin_option[@]}" --program "$program" "$input" "$output"
    echo "$output"
done

# Pictures of the editor: a small Windows host opens it under Wine (null display driver).
prefix="$root/build/win32/wineprefix"
"$root/scripts/wine-start.sh" "$prefix"
"$root/cmake/wine-run" "$(realpath "$prefix")" "$root/build/win32/plugin/editor_screenshot.exe" \
    "$root/dist/win32/StereoChorus.dll" "$out"

# The same editor on Linux: the .so opens it on a private X server (Xvfb). The size a user chose
# for their own editors (their settings file) stays out of the pictures.
XDG_CONFIG_HOME="$work/config" "$root/build/linux/plugin/editor_linux_screenshot" "$root/dist/linux/StereoChorus.so" "$out"

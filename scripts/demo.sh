#!/usr/bin/env bash
# Makes a short musical test signal (plucked guitar-like chords, stereo, 44.1 kHz) with sox and
# renders it through a few factory programs of the plug-in with vstrender, all into out/; then
# opens the Windows DLL's editor under Wine and saves out/editor.png, out/editor-presets.png and
# out/editor-200.png (at 200 %), the Linux .so's editor under Xvfb for out/editor-linux.png,
# out/editor-linux-presets.png and out/editor-linux-200.png, and the web page's editor in headless
# chromium for out/web-editor.png.
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

input="$out/demo-input.wav"
"$root/scripts/demo-input.sh" "$input"
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

# And on the web page (dist/web), in headless chromium.
node "$root/web/tests/editor-picture.mjs" "$out/web-editor.png" "$root/dist/web"

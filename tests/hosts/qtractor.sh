#!/usr/bin/env bash
# Proves that Qtractor's plug-in scanner reads the Linux CLAP build, its editor included:
# qtractor_plugin_scan (from Debian's qtractor, in its library folder) takes "CLAP:<path>" on its
# standard input and prints one line per plug-in:
# type|name|audio in:out|midi in:out|controls in:out|flags|path|index|id.
# Usage: tests/hosts/qtractor.sh [plugin.clap]   (default dist/linux/StereoChorus.clap)
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
plugin="$(realpath "${1:-$root/dist/linux/StereoChorus.clap}")"
work="$root/build/hosts/qtractor"

fail() { echo "FAIL qtractor: $*"; exit 1; }
[ -f "$plugin" ] || fail "no plug-in at $plugin"
scanner="$(dpkg -L qtractor 2>/dev/null | grep '/qtractor_plugin_scan$' | head -n 1)"
[ -n "$scanner" ] && [ -x "$scanner" ] || fail "qtractor_plugin_scan is missing (package qtractor)"

rm -rf "$work"
mkdir -p "$work/home"
export HOME="$work/home"
unset DISPLAY WAYLAND_DISPLAY
echo "CLAP:$plugin" | timeout 60 "$scanner" >"$work/scan.txt" 2>"$work/scan.log"
status=$?
[ $status -eq 0 ] || fail "the scanner exited with $status (log: $work/scan.log)"
line="$(grep '^CLAP|' "$work/scan.txt" | head -n 1)"
[ -n "$line" ] || fail "the scanner reported no CLAP plug-in (output: $work/scan.txt)"
echo "$line"
IFS='|' read -r type name audio midi controls flags path _rest <<<"$line"
[ "$name" = "Stereo Chorus" ] || fail "name '$name', expected 'Stereo Chorus'"
[ "$audio" = "2:2" ] || fail "audio ports '$audio', expected 2:2"
[ "$midi" = "0:0" ] || fail "MIDI ports '$midi', expected 0:0"
[ "$controls" = "9:0" ] || fail "parameters '$controls', expected 9 in, 0 out"
[ "$path" = "$plugin" ] || fail "path '$path', expected $plugin"
[[ ",$flags," == *,GUI,* ]] || fail "flags '$flags' without GUI: the X11 editor is not offered"
echo "PASS qtractor: $type plug-in '$name', $audio audio, $controls parameters, its own GUI"

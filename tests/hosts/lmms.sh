#!/usr/bin/env bash
# Proves the 32-bit Windows plug-in in LMMS 1.2 (i386) under Wine, headless: renders projects made
# from lmms/project.mmp.in and measures them against dry renders of the same source.
# Usage: tests/hosts/lmms.sh [plugin.dll]   (default dist/win32/StereoChorus.dll)
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
plugin="$(realpath "${1:-$root/dist/win32/StereoChorus.dll}")"
work="$root/build/hosts/lmms"
prefix="$root/build/hosts/wineprefix-lmms"
check="$here/wavcheck.py"
block=256                 # LMMS's default period, the block the plug-in receives
skip=$((2 * block))
frames=88200              # the source: one bar at 120 bpm
automation_at=44100       # tick 96, half a bar

fail() { echo "FAIL lmms: $*"; exit 1; }
[ -f "$plugin" ] || fail "no plug-in at $plugin"
command -v lmms >/dev/null || fail "lmms is missing (packages lmms:i386, lmms-vst-server:i386)"
[ -x /usr/lib/i386-linux-gnu/lmms/RemoteVstPlugin ] || fail "LMMS's VST server is missing (lmms-vst-server:i386)"

rm -rf "$work"
mkdir -p "$work/home" "$work/out"
export HOME="$work/home" QT_QPA_PLATFORM=offscreen
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY

# When the test ends: stop this prefix's Wine processes, then remove the SysV shared memory that
# failed LMMS runs leave behind (only segments these runs created and nobody uses any more).
cleanup() {
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
  local pids id
  pids=" $(cat "$work"/*.pid 2>/dev/null | tr '\n' ' ')"
  for id in $(ipcs -m -p | awk -v pids="$pids" 'index(pids, " " $3 " ") { print $1 }'); do
    [ "$(ipcs -m | awk -v id="$id" '$2 == id { print $6 }')" = 0 ] && ipcrm -m "$id"
  done
}
trap cleanup EXIT

# LMMS spins forever when Wine cannot create a window: the prefix uses the null display driver.
# A wineserver started here keeps LMMS's output pipe free.
"$root/scripts/wine-start.sh" "$prefix" || fail "could not start Wine in $prefix"

python3 "$check" source "$work/source-mono.wav" --mono && python3 "$check" source "$work/source-stereo.wav" --stereo \
  || fail "could not write the source samples"

# Host parameter values, normalised: Bypass Gain Dry Wet Delay Depth "LFO Frequency" Stereo "LFO Type".
defaults=(0 0.5 1 0.7 0.6666667 0.7 0.02 1 0)
clean_chorus=(0 0.5 1 1 0.6666667 0.3 0.02 1 0)   # program 1
names=(Bypass Gain Dry Wet Delay Depth "LFO Frequency" Stereo "LFO Type")

# The parameter dump LMMS restores: numparams="9" param0="0:Bypass:0" ...
dump() {
  local text='numparams="9"' i
  for i in "${!names[@]}"; do text+=" param$i=\"$i:${names[$i]}:$1\""; shift; done
  echo "$text"
}

template="$(<"$here/lmms/project.mmp.in")"
# render <name> <source> <fx-count> <controls> [<automated knob> <automation pattern>]
render() {
  local name=$1 project="$work/$1.mmp" log="$work/$1.log" wav="$work/out/$1.wav"
  local text="$template"
  text="${text//@SOURCE@/$work/source-$2.wav}"
  text="${text//@FX_COUNT@/$3}"
  text="${text//@DLL@/$plugin}"
  text="${text//@CONTROLS@/$4}"
  text="${text//@AUTOMATED@/${5:-}}"
  text="${text//@AUTOMATION@/${6:-}}"
  echo "$text" >"$project"
  # The pid file names LMMS's process, the creator of its shared memory.
  timeout 120 bash -c 'echo $$ >"$1"; exec lmms --allowroot render "$2" -f wav -s 44100 -x 1 -a -o "$3"' \
    _ "$work/$name.pid" "$project" "$wav" >"$log" 2>&1
  local rc=$?
  if [ $rc -ne 0 ] || [ ! -s "$wav" ]; then
    cat "$log"; echo "FAIL lmms $name: render exited with $rc"; return 1
  fi
  # LMMS renders dry audio and exits 0 when the plug-in does not load: its log tells.
  if [ "$3" -gt 0 ] && { ! grep -q '^unique ID: 6qnv' "$log" || grep -q 'could not be loaded' "$log"; }; then
    cat "$log"; echo "FAIL lmms $name: the plug-in did not load"; return 1
  fi
}

status=0
render dry-stereo stereo 0 "" || status=1
render dry-mono mono 0 "" || status=1
render unity stereo 1 "$(dump 0 0.5 1 0 "${defaults[@]:4}")" || status=1
render program mono 1 'program="1"' || status=1
render mono mono 1 "$(dump "${clean_chorus[@]:0:7}" 0 0)" || status=1
render bypass stereo 1 "$(dump 1 "${clean_chorus[@]:1}")" || status=1
# Wet steps from 0 to 100 % half-way through the bar; the knob is linked to the pattern by id.
render automation stereo 1 "$(dump "${clean_chorus[@]}")" \
  '<param3 id="7310003" value="0" scale_type="linear"/>' \
  '        <automationpattern name="Wet" pos="0" len="192" prog="0" tens="1" mute="0">
          <time pos="0" value="0"/>
          <time pos="96" value="1"/>
          <object id="7310003"/>
        </automationpattern>' || status=1
[ $status -eq 0 ] || exit 1
grep -h '^unique ID' "$work/unity.log"

source "$here/checks.sh"
check_renders lmms "$work/out"
run step "lmms automation of Wet 0 -> 100 %" "$work/out/dry-stereo.wav" "$work/out/automation.wav" \
  --at "$automation_at" --block "$block" --min 0.95 --max 0.99
exit $status

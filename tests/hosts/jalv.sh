#!/usr/bin/env bash
# Proves the LV2 bundle's X11 UI in jalv.gtk3, which embeds X11 UIs through suil: on a private X
# server (Xvfb) and a JACK server of its own on the dummy backend, jalv picks the bundle's UI and
# the editor's window, made by the UI's own X connection, shows inside jalv's window at the
# editor's size.
# Usage: tests/hosts/jalv.sh [StereoChorus.lv2]   (default dist/linux/StereoChorus.lv2)
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
bundle="$(realpath "${1:-$root/dist/linux/StereoChorus.lv2}")"
work="$root/build/hosts/jalv"
uri=http://www.orvane-music.com/plugins/stereo-chorus

fail() { echo "FAIL jalv: $*"; exit 1; }
[ -f "$bundle/manifest.ttl" ] || fail "no LV2 bundle at $bundle"
for tool in jalv.gtk3 jackd Xvfb xwininfo; do
  command -v "$tool" >/dev/null || fail "$tool is missing (packages jalv, jackd2, xvfb, x11-utils)"
done

rm -rf "$work"
mkdir -p "$work/lv2" "$work/home"
ln -s "$bundle" "$work/lv2/StereoChorus.lv2"
export LV2_PATH="$work/lv2:/usr/lib/lv2" HOME="$work/home"
pids=()
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done; wait 2>/dev/null; }
trap cleanup EXIT

# Xvfb picks a free display number and writes it down.
Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp 5>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
number=""
for _ in $(seq 50); do
  number="$(tr -dc 0-9 <"$work/display")"
  [ -n "$number" ] && break
  sleep 0.2
done
[ -n "$number" ] || fail "Xvfb did not start (log: $work/xvfb.log)"
export DISPLAY=":$number"
export JACK_DEFAULT_SERVER="stereo-chorus-jalv-$$" JACK_NO_START_SERVER=1
jackd -n "$JACK_DEFAULT_SERVER" -d dummy -r 48000 -p 256 >"$work/jackd.log" 2>&1 &
pids+=($!)
sleep 1
jalv.gtk3 "$uri" >"$work/jalv.log" 2>&1 &
pids+=($!)

# jalv's top-level window "Stereo Chorus" holds, down its tree, a window of the editor's size
# (408 x 174) that another client (the UI's own connection) made: X ids carry their client's base.
found=""
for _ in $(seq 50); do
  sleep 0.2
  xwininfo -root -tree >"$work/tree.txt" 2>/dev/null || continue
  found="$(python3 - "$work/tree.txt" <<'PY'
import re, sys
rows = [(len(m.group(1)), int(m.group(2), 16), m.group(3)) for m in
        (re.match(r'^(\s*)(0x[0-9a-f]+) (.*)$', line) for line in open(sys.argv[1])) if m]
for i, (indent, wid, rest) in enumerate(rows):
    if '"Stereo Chorus"' in rest:
        for depth, child, text in rows[i + 1:]:
            if depth <= indent:
                break
            if ' 408x174+' in text and child >> 21 != wid >> 21:
                print(hex(child))
                sys.exit(0)
PY
)"
  [ -n "$found" ] && break
done
grep -q "^UI: *$uri#ui" "$work/jalv.log" || fail "jalv did not pick the bundle's UI (log: $work/jalv.log)"
[ -n "$found" ] || fail "no editor window inside jalv's (tree: $work/tree.txt, log: $work/jalv.log)"
echo "PASS jalv: the X11 UI's editor window $found (408 x 174) inside jalv.gtk3's window"

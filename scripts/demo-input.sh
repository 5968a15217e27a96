#!/usr/bin/env bash
# Writes the demo's test signal, plucked guitar-like chords (stereo, 44.1 kHz, 16 bits), with sox:
#   scripts/demo-input.sh OUTPUT.wav
# make demo renders it through the plug-in; the web page plays it as its built-in loop.
set -euo pipefail

[ $# -eq 1 ] || { echo "usage: $0 OUTPUT.wav" >&2; exit 2; }
output="$1"
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
sox "$work"/1-am.wav "$work"/2-f.wav "$work"/3-c.wav "$work"/4-g.wav "$work"/5-am.wav \
    -b 16 "$output" fade 0 -0 0.8 norm -6

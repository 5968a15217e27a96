#!/usr/bin/env bash
# Runs the plug-in in the third-party hosts (Ardour 7 with the Linux VST 2 build, the VST 3 bundle
# and the LV2 bundle, LMMS under Wine with the 32-bit Windows build, Qtractor's scanner with the
# Linux CLAP build, jalv with the LV2 bundle's X11 UI); all always run, and the result fails if any
# does.
here="$(cd "$(dirname "$0")" && pwd)"
failed=()
run() { local host="$1"; shift; echo "== $host"; "$@" || failed+=("$host"); }
run ardour      "$here/ardour.sh" vst2
run ardour-vst3 "$here/ardour.sh" vst3
run ardour-lv2  "$here/ardour.sh" lv2
run lmms        "$here/lmms.sh"
run qtractor    "$here/qtractor.sh"
run jalv        "$here/jalv.sh"
if [ ${#failed[@]} -gt 0 ]; then
  echo "FAIL host tests: ${failed[*]}"
  exit 1
fi
echo "PASS host tests: ardour ardour-vst3 ardour-lv2 lmms qtractor jalv"

#!/usr/bin/env bash
# Runs the plug-in in the third-party hosts (Ardour 7 with the Linux build and with the LV2 bundle,
# LMMS under Wine with the 32-bit Windows build, Qtractor's scanner with the Linux CLAP build, jalv
# with the LV2 bundle's X11 UI); all
# always run, and the result fails if any does.
here="$(cd "$(dirname "$0")" && pwd)"
failed=()
for host in ardour ardour-lv2 lmms qtractor jalv; do
  echo "== $host"
  "$here/$host.sh" || failed+=("$host")
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "FAIL host tests: ${failed[*]}"
  exit 1
fi
echo "PASS host tests: ardour ardour-lv2 lmms qtractor jalv"

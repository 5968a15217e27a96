#!/usr/bin/env bash
# Starts a persistent wineserver and Wine's service processes for a prefix, with their standard
# streams on /dev/null. Started from inside a test instead, they would inherit ctest's pipes and
# keep the test "running" after it has finished.
# Usage: wine-start.sh <prefix-dir>
set -eu
"$(dirname "$0")/wine-prefix.sh" "$1"
export WINEPREFIX="$(realpath "$1")" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY
# Exits with 2 when the prefix already has a persistent server: that one serves as well.
wineserver -p </dev/null >/dev/null 2>&1 || true
wine cmd /c exit </dev/null >/dev/null 2>&1 || true

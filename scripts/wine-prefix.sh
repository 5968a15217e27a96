#!/usr/bin/env bash
# Prepares a Wine prefix once (per build tree) for running the Windows tests with no X server:
# the null display driver lets windows, DCs and bitmaps work headlessly.
# Usage: wine-prefix.sh <prefix-dir>
set -eu
prefix="$(realpath -m "$1")"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY
if [ ! -f "$prefix/.prepared" ]; then
  echo "preparing wine prefix $prefix"
  mkdir -p "$prefix"
  wineboot -i >/dev/null 2>&1 </dev/null
  wineserver -w
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1 </dev/null
  wineserver -w
  touch "$prefix/.prepared"
fi

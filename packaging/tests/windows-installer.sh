#!/usr/bin/env bash
# Proves dist/StereoChorus-<version>-setup.exe under Wine, in a fresh 64-bit prefix of its own:
# beside a foreign plug-in placed first, an older build is installed and upgraded in place
# silently; every file is where it belongs and byte-identical to dist/, the uninstall entry is
# complete; our VST 3 and CLAP test hosts load the installed plug-ins from their installed paths
# and render; the silent uninstall leaves Program Files and the registry as they were. Then the
# same into a VST 2 folder whose path has spaces and non-ASCII letters. A 32-bit Windows is refused.
# Usage: packaging/tests/windows-installer.sh   (after make dist)
set -uo pipefail
name=windows-installer
source "$(dirname "$0")/checks.sh"
setup="$root/dist/StereoChorus-$version-setup.exe"
work="$root/build/installer-test"
prefix="$work/prefix"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\StereoChorus'
[ -f "$setup" ] || fail "no installer at $setup (make dist)"

rm -rf "$work" && mkdir -p "$work"
"$root/scripts/wine-start.sh" "$prefix" >/dev/null || fail "could not prepare a Wine prefix"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
trap 'wineserver -k >/dev/null 2>&1' EXIT   # the prefix's persistent server goes with the test
unset DISPLAY WAYLAND_DISPLAY
drive="$prefix/drive_c"
common64="$drive/Program Files/Common Files"
common32="$drive/Program Files (x86)/Common Files"
program="$drive/Program Files/Orvane Music Software/Stereo Chorus"

# Every file and folder under both Program Files trees, with each file's checksum.
snapshot() {
  (cd "$drive" && find "Program Files" "Program Files (x86)" -printf '%y %p\n' | sort |
     while read -r type path; do
       if [ "$type" = f ]; then echo "$path $(md5sum <"$path" | cut -c1-32)"; else echo "$path/"; fi
     done)
}
# reg.exe writes in the console's code page (437).
registry_value() {
  wine reg query "$key" /v "$1" /reg:64 2>/dev/null | iconv -f CP437 -t UTF-8 | tr -d '\r' |
    sed -n "s/^ *$1 *REG_[A-Z_]* *//p"
}
key_present() { wine reg query "$key" /reg:64 >/dev/null 2>&1; }

# install_silently SETUP [VST2-FOLDER] [OPTION]: NSIS takes /D= only unquoted and last, so the
# command line goes through cmd as it is typed.
install_silently() {
  wine cmd /c "$(winepath -w "$1" 2>/dev/null) /S${3:+ $3}${2:+ /D=$2}" </dev/null >/dev/null 2>&1
}
# The uninstaller runs on from a copy of itself in %TEMP%: wait until its key is gone.
uninstall_silently() {
  wine "C:\\Program Files\\Orvane Music Software\\Stereo Chorus\\Uninstall.exe" /S </dev/null >/dev/null 2>&1
  for _ in $(seq 60); do key_present || return 0; sleep 0.5; done
  return 1
}

# installed_identical VST2-FOLDER: each 64-bit file where it belongs and equal to dist/.
installed_identical() {
  cmp -s "$root/dist/win64/StereoChorus.vst3/Contents/x86_64-win/StereoChorus.vst3" \
         "$common64/VST3/StereoChorus.vst3/Contents/x86_64-win/StereoChorus.vst3" &&
  cmp -s "$root/dist/win64/StereoChorus.clap" "$common64/CLAP/StereoChorus.clap" &&
  cmp -s "$root/dist/win64/StereoChorus.dll" "$1/StereoChorus.dll" &&
  cmp -s "$root/README.md" "$program/README.md" && cmp -s "$root/packaging/LICENSE.txt" "$program/LICENSE.txt" &&
  cmp -s "$root/packaging/INSTALL.txt" "$program/INSTALL.txt" && [ -f "$program/Uninstall.exe" ]
}

# The optional 32-bit plug-ins where 32-bit hosts look, equal to dist/win32.
installed_32bit_identical() {
  cmp -s "$root/dist/win32/StereoChorus.vst3/Contents/x86-win/StereoChorus.vst3" \
         "$common32/VST3/StereoChorus.vst3/Contents/x86-win/StereoChorus.vst3" &&
  cmp -s "$root/dist/win32/StereoChorus.clap" "$common32/CLAP/StereoChorus.clap" &&
  cmp -s "$root/dist/win32/StereoChorus.dll" "$drive/Program Files (x86)/VSTPlugins/StereoChorus.dll"
}

entry_complete() {
  [ "$(registry_value DisplayName)" = "Stereo Chorus" ] &&
  [ "$(registry_value DisplayVersion)" = "$version" ] &&
  [ "$(registry_value Publisher)" = "Orvane's Music Software" ] &&
  [ "$(registry_value DisplayIcon)" = 'C:\Program Files\Orvane Music Software\Stereo Chorus\StereoChorus.ico' ] &&
  [ $(( $(registry_value EstimatedSize) )) -gt 1000 ] &&
  registry_value UninstallString | grep -q 'Uninstall.exe'
}

# The installed pair loaded by our own test hosts: the VST 3 and CLAP renders against the VST 2 DLL.
renders_installed() {
  local vst3='C:\Program Files\Common Files\VST3\StereoChorus.vst3\Contents\x86_64-win\StereoChorus.vst3'
  STEREO_CHORUS_VST3="$vst3" STEREO_CHORUS_VST2='C:\Program Files\VSTPlugins\StereoChorus.dll' \
    wine "$root/build/win64/vst3/vst3_bundle_tests.exe" --gtest_brief=1 \
      --gtest_filter='*ExportsTheEntryPoints*:*RendersTheSameBits*' >"$work/vst3.log" 2>&1 &&
  STEREO_CHORUS_CLAP='C:\Program Files\Common Files\CLAP\StereoChorus.clap' \
  STEREO_CHORUS_VST2='C:\Program Files\VSTPlugins\StereoChorus.dll' \
    wine "$root/build/win64/clap/clap_host_tests.exe" --gtest_brief=1 \
      --gtest_filter='*EntryAndFactory*:*RendersWithValuesInsideBlocks*' >"$work/clap.log" 2>&1 ||
  { cat "$work/vst3.log" "$work/clap.log"; return 1; }
}

# A foreign plug-in in the VST 3 and VST 2 folders; the CLAP folder does not exist yet.
mkdir -p "$common64/VST3/Foreign.vst3/Contents/x86_64-win" "$drive/Program Files/VSTPlugins"
echo foreign >"$common64/VST3/Foreign.vst3/Contents/x86_64-win/Foreign.vst3"
echo foreign >"$drive/Program Files/VSTPlugins/Foreign.dll"
before="$(snapshot)"

# The older build: another version, and files that differ from dist/ by a trailing byte.
old="$work/old"
for f in win64/StereoChorus.dll win64/StereoChorus.clap win64/StereoChorus.vst3/Contents/x86_64-win/StereoChorus.vst3 \
         win32/StereoChorus.dll win32/StereoChorus.clap win32/StereoChorus.vst3/Contents/x86-win/StereoChorus.vst3; do
  install -D "$root/dist/$f" "$old/$f" && printf '\0' >>"$old/$f"
done
"$root/packaging/windows/build-installer.sh" "$old" 0.9.0 "$old" >/dev/null || fail "could not build the older installer"

check "installs an older build silently" install_silently "$old/StereoChorus-0.9.0-setup.exe"
check "the older build registers version 0.9.0" [ "$(registry_value DisplayVersion)" = 0.9.0 ]
check "upgrades it in place silently, with the 32-bit plug-ins (/WITH32)" install_silently "$setup" "" /WITH32
check "puts every file where it belongs, byte-identical to dist/" installed_identical "$drive/Program Files/VSTPlugins"
check "puts the 32-bit plug-ins where 32-bit hosts look, byte-identical to dist/" installed_32bit_identical
check "registers the uninstaller with name, publisher, version $version, size and icon" entry_complete
check "the VST 3 and CLAP test hosts load and render the installed plug-ins" renders_installed
check "uninstalls silently" uninstall_silently
check "the uninstall leaves Program Files as it was, the foreign plug-ins included" \
  [ "$(snapshot)" = "$before" ]
check "the uninstall entry is gone" eval '! key_present'

unusual='C:\Program Files\Plug-ins für Musik\VST 2 Ünïcode'
unusual_unix="$drive/Program Files/Plug-ins für Musik/VST 2 Ünïcode"
check "installs silently into '$unusual'" install_silently "$setup" "$unusual"
check "the VST 2 plug-in lands there, byte-identical" installed_identical "$unusual_unix"
check "without /WITH32 no 32-bit plug-in is installed" [ ! -e "$common32/CLAP/StereoChorus.clap" ]
check "the uninstall entry names that folder" [ "$(registry_value Vst2x64Folder)" = "$unusual" ]
check "uninstalls silently from there" uninstall_silently
check "and leaves Program Files as it was" [ "$(snapshot)" = "$before" ]

wineserver -k >/dev/null 2>&1

# A 32-bit Windows: the installer refuses (the message box answers itself in silent mode).
export WINEPREFIX="$work/prefix32" WINEARCH=win32
"$root/scripts/wine-prefix.sh" "$WINEPREFIX" >/dev/null || fail "could not prepare a 32-bit Wine prefix"
refused() { ! install_silently "$setup" && [ ! -e "$WINEPREFIX/drive_c/Program Files/Common Files/CLAP" ] &&
            [ ! -e "$WINEPREFIX/drive_c/Program Files/VSTPlugins" ]; }
check "refuses a 32-bit Windows and installs nothing" refused
wineserver -k >/dev/null 2>&1
trap - EXIT
[ $status -eq 0 ] && rm -rf "$work"
exit $status

#!/usr/bin/env bash
# Proves dist/stereo-chorus_<version>_amd64.deb: lintian reports no error or warning, a second
# build from the same commit gives the same bytes, and, installed with dpkg -i on this machine
# (inside a mount namespace whose /usr, /etc and /var are overlays, so nothing reaches the real
# system), Ardour finds the VST 2, VST 3 and LV2 plug-ins with no plug-in path configured and
# renders through them, lv2ls lists the URI, vstrender --info runs from PATH, and dpkg --purge
# leaves /usr, /etc and dpkg's records as they were.
# Usage: packaging/tests/debian-package.sh   (after make dist; as root)
set -uo pipefail
name=debian-package
source "$(dirname "$0")/checks.sh"
deb="$root/dist/stereo-chorus_${version}_amd64.deb"
work="$root/build/deb-test"
uri=http://www.orvane-music.com/plugins/stereo-chorus

if [ "${1:-}" != --inside ]; then
  [ -f "$deb" ] || fail "no package at $deb (make dist)"
  # dpkg and the mount namespace need root; a developer's account gets there through sudo, as
  # scripts/install-deps.sh does.
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || fail "needs root (or sudo), for dpkg and the mount namespace"
    exec sudo --preserve-env=SOURCE_DATE_EPOCH "$0" "$@"
  fi
  rm -rf "$work" && mkdir -p "$work"
  lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1
  check "lintian reports no error and no warning" eval '[ $? -eq 0 ] || { cat "$work/lintian.log"; false; }'
  "$root/packaging/debian/build-deb.sh" "$work/again" >/dev/null
  check "a second build from the same commit is byte-identical" cmp -s "$deb" "$work/again/$(basename "$deb")"
  unshare --mount --propagation private "$0" --inside || status=1
  [ $status -eq 0 ] && rm -rf "$work"
  exit $status
fi

# Inside the namespace: writes to /usr, /etc and /var land in a tmpfs that goes with it.
mkdir -p "$work/overlay" && mount -t tmpfs overlay "$work/overlay" || fail "cannot mount a tmpfs"
for dir in usr etc var; do
  mkdir -p "$work/overlay/$dir-upper" "$work/overlay/$dir-work"
  mount -t overlay overlay -o "lowerdir=/$dir,upperdir=$work/overlay/$dir-upper,workdir=$work/overlay/$dir-work" "/$dir" ||
    fail "cannot lay an overlay over /$dir"
done
# Every path with its mode, and each file's size (a folder's size is the file system's business).
state() {
  find /usr /etc /var/lib/dpkg/info -xdev \( -type d -printf '%p/ %m\n' \) -o -printf '%p %s %m\n' 2>/dev/null | sort
  dpkg-query -W -f='${Package}\n'
}
before="$(state)"

export DEBIAN_FRONTEND=noninteractive
check "dpkg -i installs it" eval 'dpkg -i "$deb" >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; false; }'
check "dpkg records version $version" [ "$(dpkg-query -W -f='${Version}' stereo-chorus)" = "$version" ]
check "lv2ls lists $uri" eval 'lv2ls | grep -qx "$uri"'
check "vstrender is on PATH at /usr/bin" [ "$(command -v vstrender)" = /usr/bin/vstrender ]
check "vstrender --version says $version" [ "$(cd / && vstrender --version)" = "vstrender $version" ]
check "vstrender --info finds the installed plug-in" eval '(cd / && vstrender --info) | grep -q "^Effect: *Stereo Chorus$"'
check "man vstrender has a page" eval 'man -w vstrender | grep -q /usr/share/man/man1/vstrender.1.gz'
for format in vst2:/usr/lib/vst/StereoChorus.so vst3:/usr/lib/vst3/StereoChorus.vst3 lv2:/usr/lib/lv2/StereoChorus.lv2; do
  check "Ardour finds the ${format%%:*} plug-in with no path configured and renders through it" \
    eval '"$root/tests/hosts/ardour.sh" "${format%%:*}" "${format#*:}" installed >"$work/ardour.log" 2>&1 ||
          { cat "$work/ardour.log"; false; }'
done
check "dpkg --purge removes it" eval 'dpkg --purge stereo-chorus >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; false; }'
after="$(state)"
check "and leaves /usr, /etc and dpkg's records as they were" \
  eval '[ "$after" = "$before" ] || { diff <(echo "$before") <(echo "$after") | head -20; false; }'
exit $status

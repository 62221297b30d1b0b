#!/usr/bin/env bash
# The Debian package: builds it from a build tree with cpack, then checks it
# the way a distribution would.
#   package-test.sh <cpack> <build dir>
set -euo pipefail
cpack=$1
build=$2
work=$(mktemp -d /tmp/lumeno-package.XXXXXX)
step=""
finish() {
  local rc=$?
  [ $rc -ne 0 ] && echo "FAILED at: $step"
  rm -rf "$work"
}
trap finish EXIT
check() { step=$1; shift; "$@" || exit 1; echo "ok: $step"; }

step="cpack -G DEB"
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/out/lumeno-kv580_*.deb)
echo "ok: $step ($(basename "$deb"))"

step="lintian reports no error"
lintian --tag-display-limit 0 \
  "$deb" >"$work/lintian.log" 2>&1 || true
cat "$work/lintian.log"
check "$step" bash -c "! grep -q '^E:' '$work/lintian.log'"

dpkg-deb --contents "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$work/contents"
for path in \
  /usr/lib/lumeno-kv580/lumeno-kv580 \
  /usr/lib/lumeno-kv580/Skins/main.png \
  /usr/bin/lumeno-kv580 \
  /usr/bin/lumeno-virtual-mouse \
  /usr/lib/udev/rules.d/70-lumeno-kv580.rules \
  /usr/share/applications/lumeno-kv580.desktop \
  /etc/xdg/autostart/lumeno-kv580.desktop \
  /usr/share/metainfo/example.lumeno.kv580.metainfo.xml \
  /usr/share/man/man1/lumeno-kv580.1.gz \
  /usr/share/man/man1/lumeno-virtual-mouse.1.gz \
  /usr/share/doc/lumeno-kv580/copyright \
  /usr/share/doc/lumeno-kv580/changelog.gz \
  /usr/share/doc/lumeno-kv580/user-guide.md \
  /usr/share/doc/lumeno-kv580/guide/en/main-window.png \
  /usr/share/icons/hicolor/16x16/apps/lumeno-kv580.png \
  /usr/share/icons/hicolor/256x256/apps/lumeno-kv580.png; do
  check "the package holds $path" grep -qxF "$path" "$work/contents"
done

step="the dependencies come from the binaries"
depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"
check "$step" bash -c "grep -q 'libqt6widgets6' <<<'$depends' && grep -q 'libc6' <<<'$depends'"
check "the post-install step reloads udev" bash -c "dpkg-deb --info '$deb' postinst | grep -q 'udevadm control --reload'"

root=$work/root
dpkg-deb -x "$deb" "$root"
step="the installed program answers --version"
version=$("$root/usr/bin/lumeno-kv580" --version)
check "$step" test "$version" = "lumeno-kv580 $(dpkg-deb --field "$deb" Version)"
check "the installed virtual mouse answers --version" "$root/usr/bin/lumeno-virtual-mouse" --version
step="the virtual mouse rejects an unknown option with status 2"
set +e; "$root/usr/bin/lumeno-virtual-mouse" --no-such-option 2>"$work/err"; rc=$?; set -e
check "$step" bash -c "[ $rc -eq 2 ] && grep -q 'no-such-option' '$work/err'"

check "desktop-file-validate: launcher" desktop-file-validate "$root/usr/share/applications/lumeno-kv580.desktop"
check "desktop-file-validate: autostart" desktop-file-validate "$root/etc/xdg/autostart/lumeno-kv580.desktop"
# After the package is removed, its kept autostart entry must start nothing.
for entry in usr/share/applications/lumeno-kv580.desktop etc/xdg/autostart/lumeno-kv580.desktop; do
  check "TryExec= in $entry" grep -qx 'TryExec=lumeno-kv580' "$root/$entry"
done
check "appstreamcli validate" appstreamcli validate --no-net "$root/usr/share/metainfo/example.lumeno.kv580.metainfo.xml"
for page in lumeno-kv580 lumeno-virtual-mouse; do
  step="man -l $page renders without warnings"
  warnings=$(zcat "$root/usr/share/man/man1/$page.1.gz" | groff -ww -man -Tutf8 -z 2>&1)
  [ -z "$warnings" ] || { echo "$warnings"; exit 1; }
  check "$step" bash -c "MANWIDTH=80 man -l '$root/usr/share/man/man1/$page.1.gz' >/dev/null"
done
echo "package: all steps passed"

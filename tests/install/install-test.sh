#!/usr/bin/env bash
# The installed program: cmake --install of a build tree with prefix /usr into
# a scratch DESTDIR, then the program started headless through its link in
# bin/ must have the whole skin beside itself, take its icon from it and
# initialise its main window.
#   install-test.sh <cmake> <build dir>
set -euo pipefail
cmake=$1
build=$2
work=$(mktemp -d /tmp/lumeno-install.XXXXXX)
pid=
step=""
finish() {
  local rc=$?
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  if [ $rc -ne 0 ]; then
    echo "FAILED at: $step"
    echo "== installed:"; (cd "$work/root" 2>/dev/null && find . -maxdepth 4 | sort) || true
    echo "== program:"; cat "$work/app.log" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap finish EXIT
check() { step=$1; shift; "$@" || exit 1; echo "ok: $step"; }

step="cmake --install"
DESTDIR=$work/root "$cmake" --install "$build" --prefix /usr >"$work/install.log" 2>&1 \
  || { cat "$work/install.log"; exit 1; }
echo "ok: $step"

usr=$work/root/usr
app_dir=$usr/lib/lumeno-kv580
check "the program is in lib/lumeno-kv580" test -x "$app_dir/lumeno-kv580"
check "its skin is beside it" test -f "$app_dir/Skins/main.png"
check "the whole skin is installed" diff -r "$build/Skins" "$app_dir/Skins"
check "bin/lumeno-kv580 links to it" \
  test "$(readlink -f "$usr/bin/lumeno-kv580")" = "$(readlink -f "$app_dir/lumeno-kv580")"
check "the desktop entry is installed" test -f "$usr/share/applications/lumeno-kv580.desktop"

mkdir -m 700 "$work/runtime"
mkdir "$work/config"
: >"$work/app.log"
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config \
  "$usr/bin/lumeno-kv580" 2>"$work/app.log" &
pid=$!
step="the installed program initialises its main window"
end=$((SECONDS + 30))
until grep -qF "Main window initialised" "$work/app.log"; do
  kill -0 "$pid" 2>/dev/null || { echo "the program ended"; exit 1; }
  [ $SECONDS -lt $end ] || exit 1
  sleep 0.1
done
echo "ok: $step"
check "the program still runs" kill -0 "$pid"
# Its icon comes from Skins/Icon; Qt says "No Icon set" when that is missing.
check "the program found its icon in the skin" bash -c "! grep -qF 'No Icon set' '$work/app.log'"
echo "install: all steps passed"

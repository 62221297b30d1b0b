#!/usr/bin/env bash
# Sets everything up, builds and runs lumeno-kv580 against the virtual mouse.
# With a display: both programs run until you choose "Exit" in the tray menu;
# the virtual mouse's traffic is printed here as it happens.
# Without a display: a private Xvfb with a tray host, the splash and the main
# window restored through the tray icon, screenshots into a folder it names,
# then everything it started is stopped.
set -euo pipefail
cd "$(dirname "$0")/.."

. scripts/lib/session.sh
build_programs
SESSION_DIR=$(mktemp -d /tmp/lumeno-run.XXXXXX)
trap stop_session EXIT

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  # Your own desktop and settings; only the virtual mouse is private.
  export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$SESSION_DIR}
  start_virtual_mouse
  # $! is tail itself, so stopping the session stops it; sed ends with its input.
  tail -f "$SESSION_DIR/vmouse.log" > >(sed 's/^/[virtual mouse] /') &
  session_pids+=($!)
  echo "lumeno-kv580 is in the tray: click its icon (double-click on an XEmbed tray). Exit from its tray menu."
  "$APP"
  exit 0
fi

echo "No display: running on a private Xvfb with a tray host; screenshots go to $SESSION_DIR"
session_env
start_xvfb
start_tray_host
start_virtual_mouse
start_app
wait_for 10 app_has "Splash window shown"
sleep 0.3
screenshot "$SESSION_DIR/1-splash.png"
wait_for 15 app_has "Tray icon added"
wait_for 10 tray_icon_window
screenshot "$SESSION_DIR/2-tray.png"
double_click_tray_icon
wait_for 10 app_has "Main window shown"
sleep 0.5
screenshot "$SESSION_DIR/3-main-window.png"
vmouse "dpi 4"
wait_for 5 app_has "Tray balloon [" || true
sleep 0.5
screenshot "$SESSION_DIR/4-dpi-balloon.png"
exit_through_tray_menu
wait_for 10 bash -c "! kill -0 $APP_PID" || true

echo
echo "== What the program wrote (standard error):"
cat "$SESSION_DIR/app.log"
echo
echo "== What the virtual mouse received and sent:"
cat "$SESSION_DIR/vmouse.log"
echo
echo "Screenshots:"
ls -1 "$SESSION_DIR"/*.png

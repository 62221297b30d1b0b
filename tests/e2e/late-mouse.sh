#!/usr/bin/env bash
# A mouse that answers every report 1.5 s late, within the answer limit: a
# write stops at its overall bound instead of running for a minute, the
# mouse is handled as one that stopped answering, and once it answers in
# time again the background search finds it.
#   late-mouse.sh <lumeno-kv580> <lumeno-virtual-mouse>
set -euo pipefail
APP=$1
VMOUSE=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/lib/session.sh"
e2e_require Xvfb trayer xdotool xdpyinfo

e2e_begin late-mouse
session_env
start_xvfb
start_tray_host
start_virtual_mouse
start_app
check "the program starts" wait_started

vmouse "fault slow 1500"
icons_added=$(app_count "Tray icon added")
started=$SECONDS
# Opening the window sends the lighting: five reports or more, each late.
check "a double-click opens the window" bash -c "$(declare -f); double_click_tray_icon && wait_for 15 main_window"
check "the write stops at its bound" wait_for 30 app_has "over its bound of"
check "and the mouse is handled as gone" wait_for 15 bash -c "$(declare -f); ! tray_icon_window"
took=$((SECONDS - started))
echo "the write and the removal took $took s"
check "within seconds, not a minute" test "$took" -lt 20
vmouse "fault none"
check "the search finds the mouse answering again" \
  wait_for 30 bash -c "$(declare -f); SESSION_DIR='$SESSION_DIR'; [ \$(app_count 'Tray icon added') -gt $icons_added ] && tray_icon_window"
check "Exit in the tray menu ends the program" \
  bash -c "$(declare -f); exit_through_tray_menu && wait_for 15 bash -c '! kill -0 $APP_PID'"
echo "late-mouse: all steps passed"

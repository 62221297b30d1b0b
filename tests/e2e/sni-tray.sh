#!/usr/bin/env bash
# The tray on a StatusNotifierItem host: xfce4-panel shows the icon and
# draws its menu, dunst is the notification service; private Xvfb, session
# bus, home, data and runtime folders. A missing host fails the test.
#   sni-tray.sh <lumeno-kv580> <lumeno-virtual-mouse>
set -euo pipefail
APP=$1
VMOUSE=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/lib/session.sh"
e2e_need Xvfb xdotool import dbus-daemon dbus-send dunst xfce4-panel

e2e_begin sni-tray
session_env

watcher_property() {
  dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
    org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher "string:$1" 2>/dev/null
}
host_registered() { watcher_property IsStatusNotifierHostRegistered | grep -q 'boolean true'; }
icon_registered() { watcher_property RegisteredStatusNotifierItems | grep -q 'string "'; }
start_sni_host() {
  mkdir -p "$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml"
  cp "$here/xfce4-panel.xml" "$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml/"
  xfce4-panel >"$SESSION_DIR/panel.log" 2>&1 &
  session_pids+=($!)
  wait_for 30 host_registered || { echo "xfce4-panel registered no StatusNotifierItem host" >&2; return 1; }
}
panel_window() {
  local w
  for w in $(xdotool search --onlyvisible --class xfce4-panel 2>/dev/null); do
    xdotool getwindowgeometry "$w" | grep -q 'Geometry: 1280x' && { echo "$w"; return 0; }
  done
  return 1
}
# The host's menu opens below the icon, over the empty (black) screen; it is
# drawn by the panel's tray plugin, whose popup xdotool cannot measure.
menu_item_at=(50 46)
host_menu_shown() {
  local colour
  colour=$(import -window root -crop "1x1+${menu_item_at[0]}+${menu_item_at[1]}" txt:- 2>/dev/null | tail -n 1)
  [[ $colour != *"#000000"* ]]
}
# The icon is the first in the panel's notification area, at its left end.
click_icon() { click_window "$(panel_window)" 15 15 "${1:-1}"; }

start_xvfb
start_notification_service
start_sni_host
start_virtual_mouse
start_app

check "the program sees a StatusNotifierItem host" wait_for 30 app_has "Tray host: StatusNotifierItem"
check "the icon is registered with the host" wait_for 30 icon_registered
check "the lighting sent at start is through" wait_for 30 idle_since 0
check "the main window starts hidden" no_main_window

mark_idle
check "a click on the icon opens the window" bash -c "$(declare -f); click_icon && wait_for 15 main_window"
check "the lighting sent on opening is through" wait_idle
win=$(main_window)
check "the close button hides the window" bash -c "$(declare -f); click_window $win 986 12 && wait_for 15 no_main_window"

vmouse "dpi 3"
check "a DPI switch reaches the notification service" wait_for 15 notice_shown "(2400)"
check "the notice has its title" notice_shown "summary: 'Info'"

check "no menu is open before the right-click" bash -c "$(declare -f); menu_item_at=(${menu_item_at[*]}); ! host_menu_shown"
check "a right-click shows the host's menu" \
  bash -c "$(declare -f); menu_item_at=(${menu_item_at[*]}); click_icon 3 && wait_for 15 host_menu_shown"
screenshot "$SESSION_DIR/menu.png" || true
check "Exit in the host's menu ends the program" \
  bash -c "xdotool mousemove ${menu_item_at[0]} ${menu_item_at[1]} click 1 && $(declare -f wait_for); wait_for 15 bash -c '! kill -0 $APP_PID'"
echo "sni-tray: all steps passed"

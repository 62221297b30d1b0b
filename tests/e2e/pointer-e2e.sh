#!/usr/bin/env bash
# End to end, the desktop's pointer settings: the real lumeno-kv580 and
# lumeno-virtual-mouse on a private Xvfb that calls itself GNOME, with
# GLib's keyfile settings in the session's private config folder. A first
# start leaves the desktop alone; a click on the speed dial's right end sets
# level 11, saves the profile and gives the desktop the speed 1.0.
#   pointer-e2e.sh <lumeno-kv580> <lumeno-virtual-mouse>
set -euo pipefail
APP=$1
VMOUSE=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/lib/session.sh"
e2e_require Xvfb trayer xdotool xdpyinfo gsettings
gsettings list-keys org.gnome.desktop.peripherals.mouse >/dev/null 2>&1 ||
  { echo "skipped: the GNOME mouse schema is missing"; exit 77; }

e2e_begin pointer-e2e

session_env
export XDG_CURRENT_DESKTOP=GNOME GSETTINGS_BACKEND=keyfile
speed() { gsettings get org.gnome.desktop.peripherals.mouse speed; }
start_xvfb
start_tray_host
start_virtual_mouse
start_app

check "the tray icon appears and the lighting sent at start is through" wait_started
check "the GNOME settings take the pointer settings" app_has "Pointer settings go to: GNOME settings"
check "a first start leaves the desktop's speed alone" test "$(speed)" = "0.0"
# Opening the window sends the lighting; the window takes input once it is sent.
check "a double-click on the icon restores the window" restore_from_tray
win=$(main_window)

# The settings column stands at (735,32); with the pad item absent the
# "Mouse Speed" header is the fourth, its top at 77, its pane right below.
column_x=735 column_y=32 header_top=77 header_height=20
check "the Mouse Speed header opens its pane" click_window "$win" $((column_x + 60)) $((column_y + header_top + 10))
pane_y=$((column_y + header_top + header_height))
# The dial's centre is (121,91) in the pane; its right end is 60 px right of it.
mark_idle
check "a click on the dial's right end" click_window "$win" $((column_x + 121 + 60)) $((pane_y + 91 - 3))
check "the new speed is through" wait_idle
check "the desktop gets the speed 1.0" wait_for 15 bash -c "[ \"\$(gsettings get org.gnome.desktop.peripherals.mouse speed)\" = 1.0 ]"
config="$XDG_CONFIG_HOME/Lumeno-KV580 Pro/config0.bin"
# The file is the flag byte and the image; pointerSpeedLevel is image byte 163.
level() { od -An -tu1 -j 164 -N 1 "$config" | tr -d ' '; }
check "level 11 is saved in the profile" wait_for 15 bash -c "$(declare -f level); config='$config'; [ \"\$(level)\" = 11 ]"
check "the profile is marked as set" grep -q '^PointerSettings=Y' "$XDG_CONFIG_HOME/Lumeno-KV580 Pro/str0.ini"
check "GNOME has no wheel lines: the reason is logged" wait_for 15 app_has "SETWHEELSCROLLLINES failed."

check "Exit in the tray menu ends the program" \
  bash -c "$(declare -f); exit_through_tray_menu && wait_for 15 bash -c '! kill -0 $APP_PID'"
echo "pointer end-to-end: all steps passed"

#!/usr/bin/env bash
# End to end, the settings column: the real lumeno-kv580 and
# lumeno-virtual-mouse on a private Xvfb with a tray host, driven with
# xdotool. Opens "DPI Setting", drags stage 3's slider, types 7300 into
# stage 5 with Enter, checks the virtual mouse's state, restarts the program
# and checks that the values are kept.
#   settings-column.sh <lumeno-kv580> <lumeno-virtual-mouse>
set -euo pipefail
APP=$1
VMOUSE=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/lib/session.sh"
e2e_require Xvfb trayer xdotool xdpyinfo

e2e_begin e2e-settings

# The column's places in the main window: the column at (735,32), headers
# 20 px high from its y = 2, 5 px apart; the DPI pane (232 px) opens under
# its header; stage k's controls lie 30 px apart.
column_x=735 column_y=32
dpi_header_y=$((column_y + 12))
pane_y=$((column_y + 22))
polling_header_y=$((column_y + 52 + 232 + 10))
slider3_x=$((column_x + 25 + 2 * 30 + 3))
value5_x=$((column_x + 20 + 4 * 30 + 12)) value5_y=$((pane_y + 187))

stages_are() { [ "$(mouse_state stageDpi)" = "$1" ]; }
stages_differ() { ! stages_are "$1"; }
mask_is() { [ "$(mouse_state stageEnableMask)" = "$1" ]; }

# A started program's window, restored: opening it sends the lighting; the
# window takes input once it is sent.
restore_window() { wait_started && restore_from_tray; }
type_value() { xdotool type --delay 60 "$1" && xdotool key Return; }

session_env
start_xvfb
start_tray_host
start_virtual_mouse
start_app

check "the window restores through the tray icon" restore_window
win=$(main_window)
check "\"DPI Setting\" opens" click_window "$win" $((column_x + 100)) $dpi_header_y

drag_stage3() {
  eval "$(xdotool getwindowgeometry --shell "$win")"
  # The X server delivers press, moves and release in order; the slider
  # takes the release's place.
  xdotool mousemove $((X + slider3_x)) $((Y + pane_y + 120)) mousedown 1 \
    mousemove $((X + slider3_x)) $((Y + pane_y + 90)) \
    mousemove $((X + slider3_x)) $((Y + pane_y + 60)) mouseup 1
}
check "drag stage 3's slider up: the write is through" write_through drag_stage3
# Released 60 px below the pane's top: 1 + 119 x (173 - 60) / 170 = 80.
check "the mouse has stage 3 at 8000 DPI" wait_for 15 stages_are "600,1200,8000,3600,5400,7200,12000"

check "a click on stage 5's value opens its box" click_window "$win" $value5_x $value5_y
check "type 7300 and Enter: the write is through" write_through type_value 7300
check "the mouse has stage 5 at 7300 DPI" wait_for 15 stages_are "600,1200,8000,3600,7300,7200,12000"

check "\"Polling Rate\" opens" click_window "$win" $((column_x + 100)) $polling_header_y

check "Exit in the tray menu ends the program" \
  bash -c "$(declare -f); exit_through_tray_menu && wait_for 15 bash -c '! kill -0 $APP_PID'"

config="$XDG_CONFIG_HOME/Lumeno-KV580 Pro/config0.bin"
# Flag byte, then the image: dpiCode100 of stages 1..7 at image bytes 15..21.
check "the profile's file holds the new stages" \
  test "$(od -An -tu1 -j16 -N7 "$config" | tr -s ' ' | sed 's/^ //')" = "6 12 80 36 73 72 120"

# A fresh virtual mouse, which knows none of the stages: only the
# restarted program can bring them back.
vmouse "quit"
exec 7>&-
rm -f "$SESSION_DIR/vmouse.in"
check "a fresh virtual mouse starts" start_virtual_mouse
check "it has none of the stages" stages_differ "600,1200,8000,3600,7300,7200,12000"
start_app
check "the restarted program's window restores" restore_window
win=$(main_window)
check "\"DPI Setting\" opens again" click_window "$win" $((column_x + 100)) $dpi_header_y
# Stage 1's toggle twice: two writes of the whole DPI group from the kept image.
toggle1_x=$((column_x + 30)) toggle1_y=$((pane_y + 206))
check "stage 1 off" write_through click_window "$win" $toggle1_x $toggle1_y
check "stage 1 on again" write_through click_window "$win" $toggle1_x $toggle1_y
check "the mouse gets the kept stages back" wait_for 15 stages_are "600,1200,8000,3600,7300,7200,12000"
check "and stage 1 is on" wait_for 15 mask_is 0xff

check "Exit again" \
  bash -c "$(declare -f); exit_through_tray_menu && wait_for 15 bash -c '! kill -0 $APP_PID'"
echo "settings column end-to-end: all steps passed"

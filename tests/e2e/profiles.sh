#!/usr/bin/env bash
# End to end, profiles: the real lumeno-kv580 and lumeno-virtual-mouse on a
# private Xvfb, driven with xdotool. Three profiles get their own first DPI
# stage; the middle one is deleted and the program restarted: the other two
# keep theirs. Then one is saved to a file through the file dialog, the
# mouse reset, and the file loaded back: its DPI returns.
#   profiles.sh <lumeno-kv580> <lumeno-virtual-mouse>
set -euo pipefail
APP=$1
VMOUSE=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/lib/session.sh"
e2e_require Xvfb trayer xdotool xdpyinfo
e2e_begin e2e-profiles

# Places in the main window: the profile pane over its left side, its list
# rows 16 px high from y = 34, its New and Delete buttons, its close button;
# the "DPI Setting" header and stage 1's value in the opened DPI pane.
profile_button=(88 619) pane_new=(50 589) pane_delete=(170 589) pane_close=(247 18)
row_y() { echo $((34 + 8 + 16 * $1)); }
dpi_header=(835 44) stage1_value=(767 241)
menu_load=3 menu_save=4 # items of the list's context menu

data="" # the data folder, once the session is set up
first_stage() { mouse_state stageDpi | cut -d, -f1; }
first_stage_is() { [ "$(first_stage)" = "$1" ]; }
# The first stage's code in a profile's file: flag byte, then the image,
# whose dpiCode100 starts at byte 15.
stored_stage() { od -An -tu1 -j16 -N1 "$data/config$1.bin" | tr -d ' '; }
# The pane opens, its rows are chosen, added and deleted without a write to
# the mouse; closing it writes what changed and sends the lighting again.
click() { click_window "$win" "$1" "$2"; }
open_pane() { click "${profile_button[@]}"; }
close_pane() { write_through click "${pane_close[@]}"; }
choose_row() { click 60 "$(row_y "$1")"; }
# set_first_stage <dpi>: types it into stage 1's box of the DPI pane.
type_value() { xdotool key ctrl+a type --delay 50 "$1" && xdotool key Return; }
set_first_stage() {
  click "${dpi_header[@]}"
  click "${stage1_value[@]}"
  write_through type_value "$1" || return 1
  click "${dpi_header[@]}"
}
# context_menu <row> <item>: a right-click on the row, then the menu's item.
context_menu() {
  local menu
  click_window "$win" 60 "$(row_y "$1")" 3
  wait_for 15 other_window || return 1
  menu=$(other_window)
  eval "$(xdotool getwindowgeometry --shell "$menu")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + 3 + $2 * 20 + 10)) sleep 0.3 click 1
}
# file_dialog <path>: types the path into the open file dialog and takes it;
# the profile's writes follow.
file_dialog() {
  wait_for 15 other_window || return 1
  local dialog
  dialog=$(other_window)
  xdotool windowfocus --sync "$dialog" key ctrl+a type --delay 20 "$1"
  mark_idle
  xdotool key Return
  windows_closed && wait_idle
}
restore() {
  wait_started && restore_from_tray || return 1
  win=$(main_window)
}
quit_app() { exit_through_tray_menu && wait_for 15 bash -c "! kill -0 $APP_PID"; }

session_env
data="$XDG_CONFIG_HOME/Lumeno-KV580 Pro"
start_xvfb
start_tray_host
start_virtual_mouse
start_app
check "the window comes up" restore

# Profile 1 at 1000 DPI; New twice, closing on Profile 3 (selected last).
check "stage 1 set to 1000 DPI" set_first_stage 1000
check "the mouse has 1000 DPI" wait_for 15 first_stage_is 1000
open_pane
click "${pane_new[@]}"
click "${pane_new[@]}"
check "closing on Profile 3 is through" close_pane
check "stage 1 set to 3000 DPI" set_first_stage 3000
check "Profile 3 has 3000 DPI" wait_for 15 first_stage_is 3000
open_pane
choose_row 1
check "closing on Profile 2 is through" close_pane
check "stage 1 set to 2000 DPI" set_first_stage 2000
check "Profile 2 has 2000 DPI" wait_for 15 first_stage_is 2000
check "the three files hold their stages" \
  test "$(stored_stage 0) $(stored_stage 1) $(stored_stage 2)" = "10 20 30"

# Delete Profile 2 (selected), close on it: Profile 3 moves into its place.
open_pane
choose_row 1
click "${pane_delete[@]}"
check "closing after the deletion is through" close_pane
check "the list holds two profiles" grep -qx 'ItemCount=2' "$data/str.ini"
check "Profile 3 keeps its data in the second place" test "$(stored_stage 0) $(stored_stage 1)" = "10 30"
check "no stale third file" test ! -e "$data/config2.bin"

check "Exit ends the program" quit_app
start_app
check "the restarted window comes up" restore
open_pane
choose_row 0
check "closing on the first profile is through" close_pane
check "the first profile has its 1000 DPI" wait_for 15 first_stage_is 1000
open_pane
choose_row 1
check "closing on the second profile is through" close_pane
check "the second has Profile 3's 3000 DPI" wait_for 15 first_stage_is 3000

# Save the second profile, reset, load it back.
export_file=$SESSION_DIR/exported
open_pane
context_menu 1 $menu_save
check "Save writes the file through the file dialog" file_dialog "$export_file"
check "the profile file and its captions are written" test -s "$export_file.bin" -a -s "$export_file.ini"
check "closing the pane is through" close_pane
click_reset_button
check "Reset asks" wait_for 15 other_window
mark_idle
xdotool windowfocus --sync "$(other_window)" key Return
check "the question closes" windows_closed
check "the reset's writes are through" wait_idle
check "the mouse is back at the factory DPI" first_stage_is 600
open_pane
context_menu 1 $menu_load
check "Load reads the file through the file dialog" file_dialog "$export_file.bin"
check "closing the pane is through" close_pane
check "the mouse has the saved 3000 DPI again" wait_for 15 first_stage_is 3000
echo "profiles end-to-end: all steps passed"

#!/usr/bin/env bash
# Makes the pictures of the user guide and the README: the real lumeno-kv580
# with lumeno-virtual-mouse on a private Xvfb with a tray host, driven with
# xdotool as a person would, once in English and once in simplified Chinese.
#   scripts/guide-pictures.sh [output folder]     (default docs/guide)
# Writes <output>/en/*.png and <output>/zh-CN/*.png. Builds the two programs
# first, unless APP and VMOUSE name binaries to use.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-docs/guide}")

. scripts/lib/session.sh
if [ -z "${APP:-}" ] || [ -z "${VMOUSE:-}" ]; then
  build_programs
fi
for tool in Xvfb trayer xdotool import; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/setup.sh installs it)" >&2; exit 1; }
done

# Places in the main window (window coordinates).
assignment_header_y=117 # the left column's first header, collapsed
macro_header_y=142      # the second, with the first collapsed
axis_header_y=167       # the third, with both above collapsed
column_header_x=855     # the settings column's headers: 20 px high, 25 px apart from y = 34
profile_button=(88 619)
side_view_tab=(536 541)
top_view_tab=(466 541)
profile_pane_close=(247 18)
profile_pane_new=(50 589)
box_x=185               # the assignment boxes; row r (1..7) at y = 142 + 20 r
# Top-level items of the assignment menu, 20 px each below a 3 px frame.
item_basic_commands=10
item_keyboard_key=12
item_macro=13

column_header_y() { echo $((32 + 2 + 25 * $1 + 10)); }
box_y() { echo $((142 + 20 * $1)); }

# shot <name> [window]: the window (default the main window) as <name>.png.
shot() {
  local w=${2:-$win}
  sleep 0.4
  eval "$(xdotool getwindowgeometry --shell "$w")"
  import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$lang_out/$1.png"
  echo "  $1.png"
}
# shot_area <name> <x> <y> <w> <h>: a part of the screen, in main-window
# coordinates.
shot_area() {
  sleep 0.4
  eval "$(xdotool getwindowgeometry --shell "$win")"
  import -window root -crop "$4x$5+$((X + $2))+$((Y + $3))" +repage "$lang_out/$1.png"
  echo "  $1.png"
}
# The window takes no input while a write to the mouse runs: each click waits
# until the mouse has heard everything it caused.
click() { click_window "$win" "$1" "$2"; wait_for_quiet_mouse; }
# The top-level menu's item n, once the menu is up: the pointer over it,
# or a click on it.
hover_menu_item() {
  local m
  m=$(other_window)
  eval "$(xdotool getwindowgeometry --shell "$m")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + 3 + $1 * 20 + 10)) sleep 0.5
}
click_menu_item() { hover_menu_item "$1" && xdotool click 1; }
# click_in <window> <x> <y>: a click inside a dialog.
click_in() { click_window "$1" "$2" "$3"; wait_for_quiet_mouse; }

pictures() { # <language folder> <locale>
  local lang=$1 locale=$2
  lang_out=$out/$lang
  mkdir -p "$lang_out"
  SESSION_DIR=$(mktemp -d /tmp/lumeno-guide.XXXXXX)
  trap 'stop_session; echo "failed; the program wrote:" >&2; cat "$SESSION_DIR/app.log" >&2' ERR
  echo "$lang ($locale):"
  session_env
  export LANG=$locale LC_ALL=$locale
  start_xvfb
  start_tray_host
  start_virtual_mouse
  start_app
  wait_for 15 tray_icon_window
  sleep 0.3
  double_click_tray_icon
  wait_for 10 main_window
  # Opening the window sends the lighting; it takes input once that is through.
  wait_for_quiet_mouse
  win=$(main_window)
  xdotool mousemove 0 0
  shot main-window

  click "${side_view_tab[@]}"
  shot main-window-side
  click "${top_view_tab[@]}"

  # The macro manager with one recorded macro.
  click 100 $macro_header_y
  wait_for 5 other_window
  local dialog
  dialog=$(other_window)
  click_in "$dialog" 46 379  # New
  click_in "$dialog" 377 151 # record the delays too
  click_in "$dialog" 339 99 # record
  xdotool key --delay 120 ctrl+c
  click_in "$dialog" 339 99 # stop
  shot macro-manager "$dialog"
  click_in "$dialog" 325 408 # OK
  windows_closed

  # The assignment menu of Button 6, then Button 7's key capture and macro
  # picker.
  click 100 $assignment_header_y
  click $box_x "$(box_y 6)"
  wait_for 5 other_window
  hover_menu_item $item_basic_commands
  shot_area assignment-menu 0 100 640 550
  xdotool key Escape sleep 0.3 key Escape # the submenu, then the menu
  windows_closed

  click $box_x "$(box_y 7)"
  wait_for 5 other_window
  click_menu_item $item_keyboard_key
  wait_for 5 app_has "Keyboard grab taken"
  dialog=$(other_window)
  xdotool key F5
  shot key-capture "$dialog"
  click_in "$dialog" 270 262 # OK
  wait_for 5 app_has "Keyboard grab released"
  windows_closed

  click $box_x "$(box_y 7)"
  wait_for 5 other_window
  click_menu_item $item_macro
  sleep 0.5
  dialog=$(other_window)
  click_in "$dialog" 96 136 # the drop-down
  click_in "$dialog" 96 156 # its first macro
  shot macro-picker "$dialog"
  click_in "$dialog" 343 262 # Cancel
  windows_closed
  click 100 $assignment_header_y

  # The settings column: each pane opened on its own, then closed again.
  local slot name
  for slot in 0 1 2 3 4 5; do
    name=(settings-dpi settings-lighting settings-polling-rate settings-mouse-speed
      settings-double-click settings-scroll-speed)
    click $column_header_x "$(column_header_y $slot)"
    xdotool mousemove 0 0
    shot_area "${name[$slot]}" 735 32 260 561
    click $column_header_x "$(column_header_y $slot)"
  done

  click 100 $axis_header_y
  shot axis-sensitivity
  click 100 $axis_header_y

  click "${profile_button[@]}"
  click "${profile_pane_new[@]}"
  shot profile-pane
  click "${profile_pane_close[@]}"

  click_reset_button
  wait_for 5 other_window
  dialog=$(other_window)
  shot reset-question "$dialog"
  # Enter takes OK: the factory settings go back to the virtual mouse.
  xdotool windowfocus --sync "$dialog" key Return
  windows_closed
  wait_for_quiet_mouse

  stop_session
  trap - ERR
  rm -rf "$SESSION_DIR"
}

pictures en en_US.UTF-8
pictures zh-CN zh_CN.UTF-8
echo "Pictures in $out"

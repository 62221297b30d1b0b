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
for tool in Xvfb trayer xdotool import compare; do
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

# A picture is taken once the screen shows the action's outcome: remember
# keeps the whole screen before the action; settled waits until a part of the
# screen differs from it and two captures in a row agree (the repaint is over).
remember() { import -window root "$SESSION_DIR/before.ppm"; }
# settled <file> <window> [x y w h]: the window, or a part of it in its
# coordinates with whatever lies over it (menus), into <file>.
settled() {
  local file=$1 area now=$SESSION_DIR/now.png last=$SESSION_DIR/last.png end=$((SECONDS + 30)) rc
  shift
  eval "$(xdotool getwindowgeometry --shell "$1")"
  area="${WIDTH}x$HEIGHT+$X+$Y"
  [ $# -eq 5 ] && area="$4x$5+$((X + $2))+$((Y + $3))"
  import -window root -crop "$area" +repage "$now"
  while :; do
    mv "$now" "$last"
    import -window root -crop "$area" +repage "$now"
    if cmp -s "$now" "$last"; then
      rc=0
      compare -metric AE "$SESSION_DIR/before.ppm[$area]" "$now" null: 2>/dev/null || rc=$?
      [ $rc -eq 1 ] && { mv "$now" "$file"; return 0; }
    fi
    [ $SECONDS -lt $end ] || { echo "the screen at $area did not change and settle" >&2; return 1; }
  done
}
# shot <name> [window]: the window (default the main window) as <name>.png.
shot() {
  settled "$lang_out/$1.png" "${2:-$win}"
  echo "  $1.png"
}
# shot_area <name> <x> <y> <w> <h>: a part of the main window.
shot_area() {
  settled "$lang_out/$1.png" "$win" "$2" "$3" "$4" "$5"
  echo "  $1.png"
}
# repainted <window> [x y w h]: the action's repaint is over, so that what
# remember keeps next shows its outcome.
repainted() { settled "$SESSION_DIR/seen.png" "$@"; }
# Clicks go in order to the program; only a write to the mouse makes its
# windows take no input until it is through (write_through).
click() { click_window "$win" "$1" "$2"; }
click_in() { click_window "$1" "$2" "$3"; }
# The program's windows besides the main window and the tray icon: dialogs
# and menus.
others() {
  local w
  for w in $(xdotool search --onlyvisible --class lumeno-kv580 2>/dev/null); do
    xdotool getwindowgeometry "$w" 2>/dev/null | grep -qE 'Geometry: (22x22|1000x650)' || echo "$w"
  done
}
others_are() { [ "$(others | wc -l)" -eq "$1" ]; }
# other_than <window>: one of them that is not that window.
other_than() { others | grep -vx "$1" | head -n 1 | grep .; }
# logged_more <text> <count>: the program wrote the line more often than that.
logged_more() { [ "$(app_count "$1")" -gt "$2" ]; }
# The top-level menu's item n, once the menu is up: the pointer over it, or
# a click after a moment's hover.
point_at_menu_item() {
  local m
  m=$(other_window)
  eval "$(xdotool getwindowgeometry --shell "$m")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + 3 + $1 * 20 + 10))
}
click_menu_item() { point_at_menu_item "$1" && xdotool sleep 0.3 click 1; }
# The macro library holds the line in a macro's section.
library_has() { grep -qF -- "$1" "$XDG_CONFIG_HOME/Lumeno-KV580 Pro/record.ini"; }

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
  wait_started
  remember
  # Opening the window sends the lighting; it takes input once that is through.
  restore_from_tray
  win=$(main_window)
  xdotool mousemove 0 0
  shot main-window

  remember
  click "${side_view_tab[@]}"
  shot main-window-side
  click "${top_view_tab[@]}"

  # The macro manager with one recorded macro.
  click 100 $macro_header_y
  wait_for 15 other_window
  local dialog menu count
  dialog=$(other_window)
  click_in "$dialog" 46 379  # New
  click_in "$dialog" 377 151 # record the delays too
  count=$(app_count "Keyboard grab taken")
  click_in "$dialog" 339 99 # record
  wait_for 15 logged_more "Keyboard grab taken" "$count"
  remember
  xdotool key --delay 120 ctrl+c
  # The recorder reads the keys on an X connection of its own, not in turn
  # with the clicks: the stop waits until the manager shows them.
  repainted "$dialog"
  count=$(app_count "Keyboard grab released")
  remember
  click_in "$dialog" 339 99 # stop
  wait_for 15 logged_more "Keyboard grab released" "$count"
  wait_for 15 library_has "=C   Up"
  shot macro-manager "$dialog"
  mark_idle
  click_in "$dialog" 325 408 # OK: the macros go to the mouse
  windows_closed
  wait_idle

  # The assignment menu of Button 6, then Button 7's key capture and macro
  # picker.
  click 100 $assignment_header_y
  remember
  click $box_x "$(box_y 6)"
  wait_for 15 others_are 1
  point_at_menu_item $item_basic_commands
  wait_for 15 others_are 2
  shot_area assignment-menu 0 100 640 550
  xdotool key Escape # the submenu
  wait_for 15 others_are 1
  xdotool key Escape # the menu
  windows_closed

  click $box_x "$(box_y 7)"
  wait_for 15 others_are 1
  count=$(app_count "Keyboard grab taken")
  remember
  click_menu_item $item_keyboard_key
  wait_for 15 logged_more "Keyboard grab taken" "$count"
  dialog=$(other_window)
  repainted "$dialog"
  remember
  xdotool key F5
  wait_for 15 app_has 'Key capture shows "F5"'
  shot key-capture "$dialog"
  count=$(app_count "Keyboard grab released")
  mark_idle
  click_in "$dialog" 270 262 # OK: the key goes to the mouse
  wait_for 15 logged_more "Keyboard grab released" "$count"
  windows_closed
  wait_idle

  click $box_x "$(box_y 7)"
  wait_for 15 others_are 1
  menu=$(other_window)
  remember
  click_menu_item $item_macro
  wait_for 15 other_than "$menu"
  dialog=$(other_than "$menu")
  repainted "$dialog"
  remember
  click_in "$dialog" 96 136 # the drop-down
  click_in "$dialog" 96 156 # its first macro
  shot macro-picker "$dialog"
  mark_idle
  click_in "$dialog" 343 262 # Cancel: the button map goes to the mouse again
  windows_closed
  wait_idle
  click 100 $assignment_header_y

  # The settings column: each pane opened on its own, then closed again.
  local slot name
  for slot in 0 1 2 3 4 5; do
    name=(settings-dpi settings-lighting settings-polling-rate settings-mouse-speed
      settings-double-click settings-scroll-speed)
    remember
    click $column_header_x "$(column_header_y $slot)"
    xdotool mousemove 0 0
    shot_area "${name[$slot]}" 735 32 260 561
    remember
    click $column_header_x "$(column_header_y $slot)"
    xdotool mousemove 0 0
    repainted "$win" 735 32 260 561
  done

  remember
  click 100 $axis_header_y
  shot axis-sensitivity
  remember
  click 100 $axis_header_y
  repainted "$win"

  remember
  click "${profile_button[@]}"
  repainted "$win"
  remember
  click "${profile_pane_new[@]}"
  shot profile-pane
  # Closing the pane writes the profile and sends the lighting again.
  write_through click "${profile_pane_close[@]}"

  remember
  click_reset_button
  wait_for 15 other_window
  dialog=$(other_window)
  shot reset-question "$dialog"
  # Enter takes OK: the factory settings go back to the virtual mouse.
  mark_idle
  xdotool windowfocus --sync "$dialog" key Return
  windows_closed
  wait_idle

  stop_session
  trap - ERR
  rm -rf "$SESSION_DIR"
}

pictures en en_US.UTF-8
pictures zh-CN zh_CN.UTF-8
echo "Pictures in $out"

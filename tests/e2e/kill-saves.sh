#!/usr/bin/env bash
# Kills during saves: the real lumeno-kv580 against lumeno-virtual-mouse on a
# private Xvfb, driven with xdotool through saves in a loop (DPI stages
# dragged and typed, the axis sliders, assignments from the menu, profile
# switches and new profiles), killed with SIGKILL at a random moment, again
# and again. After each kill every data file must be whole: check-data-files.py
# compares it with the files as they were before that run.
#   kill-saves.sh <lumeno-kv580> <lumeno-virtual-mouse> [kills] [seed]
# Defaults: 20 kills, seed 21. Prints "kills: K, files checked: F" at the end.
set -euo pipefail
APP=$1
VMOUSE=$2
KILLS=${3:-20}
SEED=${4:-21}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/lib/session.sh"
e2e_require Xvfb xdotool xdpyinfo python3
e2e_begin kill-saves
driver=""
e2e_cleanup() { [ -z "$driver" ] || kill "$driver" 2>/dev/null || true; }

RANDOM=$SEED
data="$SESSION_DIR/config/Lumeno-KV580 Pro"
# Words the program can write as values: every string in its binary.
strings -e S -n 2 "$APP" >"$SESSION_DIR/vocabulary"

# Places in the main window (client pixels): the settings column's DPI pane,
# the left column's headers and the axis sliders, the assignment boxes, the
# profile button and the profile pane's list, New and close.
column_x=735 column_y=32
dpi_header_y=$((column_y + 12))
pane_y=$((column_y + 22))
assignment_header_y=117 axis_header_y=167
x_slider_y=206 y_slider_y=266 slider_left=40 slider_right=244
profile_button_x=88 profile_button_y=619
list_top=$((3 + 31)) row_height=20
new_x=50 new_y=$((3 + 586)) pane_close_x=247 pane_close_y=18

rand() { echo $((RANDOM % ($2 - $1 + 1) + $1)); } # rand <low> <high>

# The pointer at client (x, y) of the window, pressed there and released at
# (x2, y2).
drag() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + $2)) $((Y + $3)) sleep 0.05 mousedown 1 sleep 0.05 \
    mousemove $((X + $4)) $((Y + $5)) sleep 0.05 mouseup 1
}
click() { # click <window> <x> <y>
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + $2)) $((Y + $3)) sleep 0.05 click 1
}

# The program's menu: its one untitled popup.
menu_window() {
  xdotool search --onlyvisible --class lumeno-kv580 2>/dev/null | while read -r w; do
    [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "Lumeno-KV580 Pro" ] || echo "$w"
  done | head -n 1 | grep .
}
# The window shown at start-up takes input once the writes after it are
# through: the program's last word on either is that they are done.
started() {
  grep -F -e 'Main window shown' -e 'Device writes done' "$SESSION_DIR/app.log" | tail -n 1 |
    grep -qF 'Device writes done'
}

# One kind of edit per run, repeated until the kill: each one ends in a save.
# The pauses between edits are random, so that kills fall anywhere in a save.
drive_dpi() {
  click "$1" $((column_x + 100)) $dpi_header_y
  while :; do
    local stage x
    stage=$(rand 1 7)
    x=$((column_x + 25 + (stage - 1) * 30 + 3))
    if [ $((RANDOM % 3)) -eq 0 ]; then
      click "$1" $((column_x + 20 + (stage - 1) * 30 + 12)) $((pane_y + 187))
      xdotool type --delay 30 "$(rand 2 120)00"
      xdotool key Return
    else
      drag "$1" "$x" $((pane_y + 120)) "$x" $((pane_y + $(rand 5 175)))
    fi
    sleep 0.$(rand 1 5)
  done
}
drive_axis() {
  click "$1" 100 $axis_header_y
  while :; do
    local y=$x_slider_y
    [ $((RANDOM % 2)) -eq 0 ] && y=$y_slider_y
    click "$1" "$(rand $slider_left $slider_right)" "$y"
    sleep 0.$(rand 1 5)
  done
}
drive_assignment() {
  click "$1" 100 $assignment_header_y
  while :; do
    local row menu x y w h
    row=$(rand 2 7)
    click "$1" 185 $((134 + 20 * row + 8))
    # A click while a write runs opens no menu. Items lie 20 px apart below
    # a 3 px frame.
    menu=""
    wait_for 2 menu_window && menu=$(menu_window)
    if [ -n "$menu" ]; then
      eval "$(xdotool getwindowgeometry --shell "$menu")"
      xdotool mousemove $((X + WIDTH / 2)) $((Y + 3 + $(rand 0 4) * 20 + 10)) sleep 0.05 click 1
    fi
    sleep 0.$(rand 1 5)
  done
}
drive_profiles() {
  while :; do
    click "$1" $profile_button_x $profile_button_y
    if [ $((RANDOM % 4)) -eq 0 ]; then
      click "$1" $new_x $new_y
      xdotool key Return
    else
      click "$1" 100 $((list_top + row_height * $(rand 0 5) + row_height / 2))
      xdotool key Escape
    fi
    click "$1" $pane_close_x $pane_close_y
    sleep 0.$(rand 2 6)
  done
}
drivers=(drive_dpi drive_axis drive_assignment drive_profiles)

session_env
start_xvfb
start_virtual_mouse

files=0 leftovers=0
for ((kill = 1; kill <= KILLS; kill++)); do
  rm -rf "$SESSION_DIR/before"
  mkdir -p "$SESSION_DIR/before" "$data"
  cp -a "$data/." "$SESSION_DIR/before/"
  : >"$SESSION_DIR/app.log"
  frames_before=$(grep -c '^frame ' "$SESSION_DIR/vmouse.log" || true)
  start_app
  # Every tenth kill falls in the start-up; the others while edits are saved.
  if [ $((kill % 10)) -eq 1 ]; then
    sleep "$(rand 0 3500 | awk '{printf "%.3f", $1 / 1000}')"
  else
    # Without a notification area the window shows itself after start-up.
    wait_for 30 main_window || { echo "kill $kill: no main window"; exit 1; }
    win=$(main_window)
    wait_for 30 started || { echo "kill $kill: the start-up writes did not end"; exit 1; }
    driver_name=${drivers[RANDOM % ${#drivers[@]}]}
    ("$driver_name" "$win" >/dev/null 2>&1) &
    driver=$!
    sleep "$(rand 200 4000 | awk '{printf "%.3f", $1 / 1000}')"
  fi
  kill -KILL "$APP_PID"
  wait "$APP_PID" 2>/dev/null || true
  if [ -n "$driver" ]; then
    kill "$driver" 2>/dev/null || true
    wait "$driver" 2>/dev/null || true
    driver=""
    xdotool mouseup 1 2>/dev/null || true
  fi
  leftovers=$((leftovers + $(find "$data" -name '*.??????' | wc -l)))
  checked=$(python3 "$here/check-data-files.py" "$SESSION_DIR/before" "$data" "$SESSION_DIR/vocabulary") || {
    echo "kill $kill (${driver_name:-start-up}): a data file is not whole"
    exit 1
  }
  files=$((files + checked))
  echo "kill $kill: ${driver_name:-start-up}, $(($(grep -c '^frame ' "$SESSION_DIR/vmouse.log" || true) - frames_before)) frames sent, $checked files whole"
  driver_name=""
  # The killed copy leaves the session's list; the other entries stay whole.
  pids=()
  for p in "${session_pids[@]}"; do [ "$p" = "$APP_PID" ] || pids+=("$p"); done
  session_pids=("${pids[@]}")
done

# A clean start after the last kill removes what the kills left.
: >"$SESSION_DIR/app.log"
start_app
wait_for 30 main_window || { echo "no main window after the last kill"; exit 1; }
kill -TERM "$APP_PID"
wait "$APP_PID" 2>/dev/null || true
left=$(find "$data" -name '*.??????' | wc -l)
echo "temporary files left by kills: $leftovers; after a clean start: $left"
[ "$left" -eq 0 ] || { echo "temporary files remain after a start"; exit 1; }
echo "kills: $KILLS, files checked: $files"

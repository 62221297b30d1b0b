#!/usr/bin/env bash
# End to end: the assignment menu and the key capture of the real
# lumeno-kv580 with lumeno-virtual-mouse on a private Xvfb, driven with
# xdotool.
#   assignment.sh <lumeno-kv580> <lumeno-virtual-mouse> <grab probe> <artefact folder>
set -euo pipefail
APP=$1
VMOUSE=$2
PROBE=$3
ARTIFACTS=$4
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/lib/session.sh"
e2e_require Xvfb trayer xdotool xdpyinfo import
mkdir -p "$ARTIFACTS"

e2e_begin e2e-assign

# The program's popup menus: visible windows of the program that are neither
# the main window, the tray icon, nor the key capture dialog; "x y w h" lines.
menu_windows() {
  local w
  for w in $(xdotool search --onlyvisible --class lumeno-kv580 2>/dev/null); do
    local name
    name=$(xdotool getwindowname "$w" 2>/dev/null || true)
    [ "$name" = "Lumeno-KV580 Pro" ] && continue
    [ "$name" = "Please assign a key" ] && continue
    eval "$(xdotool getwindowgeometry --shell "$w")"
    [ "$WIDTH" = 22 ] && [ "$HEIGHT" = 22 ] && continue
    echo "$X $Y $WIDTH $HEIGHT $w"
  done | sort -n
}
menu_count() { [ "$(menu_windows | wc -l)" -ge "$1" ]; }
no_menu() { [ -z "$(menu_windows)" ]; }
key_dialog() { xdotool search --onlyvisible --name '^Please assign a key$' 2>/dev/null | head -n 1 | grep .; }
no_key_dialog() { ! key_dialog; }
# The name the key capture shows last.
shown_name() { grep -F 'Key capture shows' "$SESSION_DIR/app.log" | tail -n 1 | sed 's/.*shows "\(.*\)"/\1/'; }
shows() { [ "$(shown_name)" = "$1" ]; }
# Clicks at (x, y) of the screen.
click_at() { xdotool mousemove "$1" "$2" sleep 0.1 click 1; }
# The top-level menu's item n (from 0), 20 px each below a 3 px frame.
menu_item() {
  local x y w h
  read -r x y w h _ < <(menu_windows | head -n 1)
  echo "$((x + w / 2)) $((y + 3 + $1 * 20 + 10))"
}

session_env
start_xvfb
start_tray_host
start_virtual_mouse
start_app

check "the tray icon appears and the lighting sent at start is through" wait_started
# Opening the window sends the lighting; the window takes input once it is sent.
check "the window comes up" restore_from_tray
win=$(main_window)
eval "$(xdotool getwindowgeometry --shell "$win")"
WX=$X
WY=$Y
check "the button assignment section opens" click_window "$win" 100 117

# Row 6 (Button 6): box (120,254)-(250,270); the menu opens at its right
# edge + 5 and its top.
frames_before=$(grep -c '^frame ' "$SESSION_DIR/vmouse.log" || true)
check "a click on the box of Button 6 opens the menu" \
  bash -c "$(declare -f); click_window $win 185 262 && wait_for 15 menu_count 1"
read -r mx my mw mh _ < <(menu_windows | head -n 1)
screenshot "$ARTIFACTS/assignment-menu.png"
echo "menu at $mx,$my size ${mw}x$mh; anchor $((WX + 255)),$((WY + 254))"
check "the menu sits at the anchor" test "$mx" -eq $((WX + 255)) -a "$my" -eq $((WY + 254))
check "the top level is 15 items high" test "$mh" -eq $((15 * 20 + 6))

# "Basic Commands +" (item 10) opens its submenu; "Copy" is its third item.
read -r ix iy < <(menu_item 10)
check "the basic commands submenu opens" bash -c "$(declare -f); xdotool mousemove $ix $iy && wait_for 15 menu_count 2"
read -r sx sy sw sh _ < <(menu_windows | sort -n | tail -n 1)
screenshot "$ARTIFACTS/assignment-submenu.png"
mark_idle
check "Copy is chosen" click_at $((sx + sw / 2)) $((sy + 3 + 2 * 20 + 10))
check "the menus close" wait_for 15 no_menu
check "the assignment's writes are through" wait_idle
check "the mouse receives Copy at Button 6's position" \
  wait_for 15 bash -c "$(declare -f); SESSION_DIR='$SESSION_DIR'; [ \"\$(map_code 5)\" = '00 06 e0 01' ]"
check "the profile holds the caption" \
  wait_for 15 grep -qx 'Item6=Copy' "$SESSION_DIR/config/Lumeno-KV580 Pro/str0.ini"

# Key capture on Button 7 (row 7: box (120,274)-(250,290)), item 12.
open_key_dialog() {
  click_window "$win" 185 282 && wait_for 15 menu_count 1 || return 1
  read -r ix iy < <(menu_item 12)
  click_at "$ix" "$iy" && wait_for 15 key_dialog && wait_for 15 app_has "Keyboard grab taken"
}
grabs=$(app_count "Keyboard grab taken")
check "Assign Keyboard Key opens the key capture" \
  bash -c "$(declare -f); SESSION_DIR='$SESSION_DIR'; win=$win; open_key_dialog && [ \$(app_count 'Keyboard grab taken') -gt $grabs ]"
dialog=$(key_dialog)
screenshot "$ARTIFACTS/key-capture.png"
check "another client cannot grab the keyboard while the dialog holds it" bash -c "! '$PROBE'"
xdotool key Super_L
check "Super_L shows Left Windows" wait_for 15 shows "Left Windows"
xdotool key KP_Enter
check "KP_Enter shows Num Enter" wait_for 15 shows "Num Enter"
xdotool key Return
check "Return shows Enter" wait_for 15 shows "Enter"
xdotool key Escape
check "Esc shows Esc" wait_for 15 shows "Esc"
xdotool keydown Shift_L keydown a keyup a keyup Shift_L
check "Shift, A, release A, release Shift leaves Shift" wait_for 15 shows "Shift"
# The dialog took the keys after Esc: Esc left it open.
check "Esc does not close the dialog" key_dialog
presses_before=$(app_count "vk code=41,scan code=1e,key flag=0")
# Held until the program has seen the key's auto-repeat, then released.
repeated() { [ $(($(app_count "vk code=41,scan code=1e,key flag=0") - presses_before)) -gt 1 ]; }
xdotool keydown a
check "a held key repeats" wait_for 15 repeated
xdotool keyup a
check "a held key shows its name" wait_for 15 shows "A"
presses=$(( $(app_count "vk code=41,scan code=1e,key flag=0") - presses_before ))
echo "held A: $presses presses"
check "a held key repeats its presses" test "$presses" -gt 1
check "a held key is released once, last" \
  bash -c "grep -F 'vk code=' '$SESSION_DIR/app.log' | tail -n 1 | grep -qF 'vk code=41,scan code=1e,key flag=80'"
xdotool key F5
check "F5 shows F5" wait_for 15 shows "F5"
eval "$(xdotool getwindowgeometry --shell "$dialog")"
mark_idle
check "OK assigns the key" click_at $((X + 270)) $((Y + 262))
check "the dialog ends" wait_for 15 no_key_dialog
check "the grab is released" wait_for 15 app_has "Keyboard grab released"
check "another X client can take a keyboard grab again" "$PROBE"
check "the assignment's writes are through" wait_idle
check "the mouse receives the key's usage" \
  wait_for 15 bash -c "$(declare -f); SESSION_DIR='$SESSION_DIR'; [ \"\$(map_code 6)\" = '00 3e 00 01' ]"
check "the caption names the key" \
  wait_for 15 grep -qx 'Item7=Assign Keyboard Key-F5' "$SESSION_DIR/config/Lumeno-KV580 Pro/str0.ini"
echo "assignment end-to-end: all steps passed"

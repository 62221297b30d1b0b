#!/usr/bin/env bash
# End to end, the macro windows: the real lumeno-kv580 and
# lumeno-virtual-mouse on a private Xvfb, driven with xdotool. Records a
# macro with its delays in the macro manager, binds it to Button 6 through
# the assignment menu and the picker, and checks what the mouse received
# against the program's own encoders run on the files it wrote (the
# manager's OK puts its own encoding of the library into the image); then unplugs
# the mouse while a second macro records.
#   macros.sh <lumeno-kv580> <lumeno-virtual-mouse> <grab probe> <macro probe>
set -euo pipefail
APP=$1
VMOUSE=$2
GRAB_PROBE=$3
MACRO_PROBE=$4
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/lib/session.sh"
e2e_require Xvfb trayer xdotool xdpyinfo
e2e_begin e2e-macros

# Places in the macro manager and the picker (window coordinates).
manager_new=(46 379) manager_delay_box=(377 151) manager_record=(339 99) manager_ok=(325 408)
picker_dropdown=(96 136) picker_first=(96 156) picker_mode1=(228 136) picker_ok=(279 262)
item_macro=13 # of the assignment menu's top level

library() { echo "$XDG_CONFIG_HOME/Lumeno-KV580 Pro/record.ini"; }
# The key=value lines of one section of "record.ini".
section_of() { awk -v s="[$1]" '$0 == s {f = 1; next} /^\[/ {f = 0} f' "$(library)" | tr -d '\r'; }
line_of() { section_of "$1" | grep "^Item$2=" | cut -d= -f2-; }
# line_is <macro> <n> <extended regex>
line_is() { [[ $(line_of "$1" "$2") =~ $3 ]]; }
# count_is <macro> <extended regex of a line's text> <count>
count_is() { [ "$(section_of "$1" | grep -cE "^Item[0-9]+=$2$")" -eq "$3" ]; }
in_index() { section_of MacroName | grep -qx "[0-9]*=$1"; }
delay_at_least() { local d; d=$(line_of "$1" "$2"); [[ $d =~ ^[0-9]+\ ms$ ]] && [ "${d% ms}" -ge "$3" ]; }
grabs() { app_count "Keyboard grab taken"; }
releases() { app_count "Keyboard grab released"; }
# same <got> <wanted>: says both when they differ.
same() { [ "$1" = "$2" ] || { printf 'got:    %s\nwanted: %s\n' "$1" "$2"; return 1; }; }
more_than() { [ "$("$1")" -gt "$2" ]; }
another_window_than() { local w; w=$(other_window) && [ "$w" != "$1" ]; }
# open_manager: the "Macro Manager" header, with the sections above closed.
open_manager() { click_window "$win" 100 142 && wait_for 15 other_window; }
record_keys() { # <manager> <command...>: records what the command types
  local taken released
  taken=$(grabs)
  click_window "$1" "${manager_record[@]}"
  wait_for 15 more_than grabs "$taken" || return 1
  shift
  "$@"
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

check "\"Macro Manager\" opens the manager" open_manager
manager=$(other_window)
click_window "$manager" "${manager_new[@]}"
check "New gives Macro_1" wait_for 15 in_index Macro_1
click_window "$manager" "${manager_delay_box[@]}"
type_first() {
  "$GRAB_PROBE" >/dev/null && { echo "another client took the keyboard while recording"; return 1; }
  xdotool keydown a sleep 0.2 keyup a sleep 0.2
  xdotool keydown b sleep 1.5 keyup b sleep 0.2
  xdotool key KP_Enter sleep 0.3
}
check "recording takes the keyboard from every other client and gets the keys" record_keys "$manager" type_first
released=$(releases)
click_window "$manager" "${manager_record[@]}"
check "stopping releases the keyboard" wait_for 15 more_than releases "$released"
check "another client can grab the keyboard again" "$GRAB_PROBE"

echo "== Macro_1 as recorded:"; section_of Macro_1
check "A down first" line_is Macro_1 0 '^A +Dn$'
check "then a delay of at least 200 ms" delay_at_least Macro_1 1 200
check "then A up" line_is Macro_1 2 '^A +Up$'
check "B held past its repeat delay is one press" count_is Macro_1 'B +Dn' 1
check "and one release" count_is Macro_1 'B +Up' 1
check "keypad Enter records as Num Enter" count_is Macro_1 'Num Enter +Dn' 1
check "the section holds the delay option" bash -c "grep -qx 'DelayTimeSelStatus=1' <<<'$(section_of Macro_1)'"
check "and the loop count" bash -c "grep -q '^MacroLoopTimes=' <<<'$(section_of Macro_1)'"

mark_idle
click_window "$manager" "${manager_ok[@]}"
check "OK closes the manager" windows_closed
check "and the writes are through" wait_idle

# Button 6: its box in the opened assignment section, then "Macro".
click_window "$win" 100 117
click_window "$win" 185 262
check "Button 6's menu opens" wait_for 15 other_window
menu=$(other_window)
eval "$(xdotool getwindowgeometry --shell "$menu")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + 3 + item_macro * 20 + 10)) sleep 0.3 click 1
check "Macro opens the picker" wait_for 15 another_window_than "$menu"
picker=$(other_window)
click_window "$picker" "${picker_dropdown[@]}"
click_window "$picker" "${picker_first[@]}"
click_window "$picker" "${picker_mode1[@]}"
mark_idle
click_window "$picker" "${picker_ok[@]}"
check "OK closes the picker" windows_closed
check "and the binding is sent" wait_idle

expected=$("$MACRO_PROBE" "$XDG_CONFIG_HOME/Lumeno-KV580 Pro/config0.bin" "$(library)" 5)
echo "== what the program's encoders give for its files:"; echo "$expected"
check "Button 6 plays a macro" grep -qx 'function 11' <<<"$expected"
check "the mouse holds its code at Button 6's position" \
  same "[$(map_code 5)]" "$(grep '^code ' <<<"$expected" | cut -d' ' -f2-)"
check "the mouse holds the encoded macro in slot 0" \
  same "$(mouse_state macro0)" "$(grep '^macro0 ' <<<"$expected" | cut -d' ' -f2-)"

# A second macro records when the mouse is unplugged.
click_window "$win" 100 117
check "the manager opens again" open_manager
manager=$(other_window)
click_window "$manager" "${manager_new[@]}"
check "New gives Macro_2" wait_for 15 in_index Macro_2
type_second() { xdotool key c sleep 0.3; }
check "a second recording starts" record_keys "$manager" type_second
released=$(releases)
vmouse "unplug"
check "unplugging closes the manager" windows_closed
check "and releases the keyboard" wait_for 15 more_than releases "$released"
check "what was recorded is kept" count_is Macro_2 'C +Dn' 1
echo "macro windows end-to-end: all steps passed"

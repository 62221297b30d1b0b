#!/usr/bin/env bash
# End to end: the real lumeno-kv580 and lumeno-virtual-mouse on a private
# Xvfb with an XEmbed tray (trayer) and dunst as the notification service,
# driven with xdotool.
#   e2e.sh <lumeno-kv580> <lumeno-virtual-mouse>
set -euo pipefail
APP=$1
VMOUSE=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/lib/session.sh"
e2e_need Xvfb trayer xdotool xdpyinfo dbus-daemon dbus-send dunst

e2e_begin e2e

# A runtime folder longer than a socket address (108 bytes) holds.
SESSION_RUNTIME=$SESSION_DIR/runtime
while [ ${#SESSION_RUNTIME} -lt 220 ]; do SESSION_RUNTIME+=/a-runtime-folder-of-some-length; done
session_env
start_xvfb
start_notification_service
start_tray_host
start_virtual_mouse
start_app

check "the tray icon appears and the lighting sent at start is through" wait_started
check "the main window starts hidden" test -z "$(main_window)"
# Opening the window sends the lighting; the window takes input once it is sent.
check "a double-click on the icon restores the window" restore_from_tray
win=$(main_window)
close_window() { click_window "$win" 986 12 && wait_for 15 no_main_window; }
check "the close button hides the window" close_window

vmouse "dpi 3"
# Stage 3 of the factory image is 2400 DPI.
check "a DPI switch on the mouse shows a notice" \
  wait_for 15 bash -c "grep -q '^Tray balloon \[.*2400' '$SESSION_DIR/app.log'"
check "the notice reaches the notification service" wait_for 15 notice_shown "(2400)"
vmouse "dpi 8"
vmouse "press"
check "the DPI button wraps from stage 8 to the first stage" \
  wait_for 15 app_has "Switch DPI into the first stage (600)"

step="a second copy exits at once, with status 0"
mark_idle
start=$SECONDS
rc=0
"$APP" 2>>"$SESSION_DIR/second.log" || rc=$?
check "$step" test $((SECONDS - start)) -lt 5 -a $rc -eq 0
check "the first copy was asked to come forward" \
  wait_for 15 app_has "Another launch asked this copy to come forward"
check "with the mouse the window comes forward" wait_for 15 main_window
check "the first copy still runs" kill -0 "$APP_PID"
check "the lighting sent on coming forward is through" wait_idle

win=$(main_window)
check "the close button hides the window again" close_window
check "restore again" restore_from_tray
# The lighting pane: "Lighting" open, "Respiration", its slider dragged to the
# right end, swatch 3; the mouse shows breathing in swatch 3's colour.
win=$(main_window)
check "the lighting pane opens" click_window "$win" 835 69
check "Respiration sends breathing" lighting_click "$win" 750 132
check "the mouse gets breathing" vmouse_has '^frame SetLightingEffect .*: breathing'
check "the speed slider dragged to its right end is sent" lighting_drag "$win" 842 132 990 132
check "swatch 3 is sent" lighting_click "$win" 910 253
check "the mouse gets breathing in cyan at the top speed" \
  vmouse_has '^frame SetLightingEffect .*: breathing, cyan \(#00ffff\), speed 5 of 5'
vmouse "state"
check "the mouse's state shows breathing, swatch 3's colour and the speed" \
  wait_for 15 vmouse_has '^state lighting breathing, cyan \(#00ffff\), speed 5 of 5$'
check "the program wrote the pane's choices into the profile" test \
  "$(od -An -tu1 -j $((1 + 63)) -N 3 "$SESSION_DIR/config/Lumeno-KV580 Pro/config0.bin" | tr -s ' ')" = " 2 5 6"

icons_added=$(app_count "Tray icon added")
vmouse "unplug"
check "unplugging hides the window" wait_for 15 no_main_window
check "unplugging removes the icon" wait_for 15 bash -c "$(declare -f); ! tray_icon_window"
check "the removal notice reaches the notification service, though the icon is gone" \
  wait_for 15 notice_shown "The system did not detect Lumeno-KV580 Pro!"
rc=0
"$APP" 2>>"$SESSION_DIR/second.log" || rc=$?
check "without the mouse a second copy exits with status 0 too" test $rc -eq 0
check "without the mouse the first copy answers with a message" \
  wait_for 15 bash -c "$(declare -f); SESSION_DIR='$SESSION_DIR'; [ \$(app_count 'Another launch asked') -eq 2 ] && message_box"
check "the message closes with Enter" \
  bash -c "$(declare -f); answer_message_box && wait_for 15 bash -c \"\$(declare -f); ! message_box\""
vmouse "plug"
check "plugging back adds the icon" \
  wait_for 15 bash -c "$(declare -f); SESSION_DIR='$SESSION_DIR'; [ \$(app_count 'Tray icon added') -gt $icons_added ] && tray_icon_window"

# An unplug in the middle of a factory reset: the write stops at once and
# the removal is handled, long before the reset's 4.3 s of pauses are over.
check "restore the window for a reset" restore_from_tray
check "Reset asks first" bash -c "$(declare -f); click_reset_button && wait_for 15 attention_box"
frames() { grep -c '^frame ' "$SESSION_DIR/vmouse.log" || true; }
frames_before=$(frames)
mark_idle
check "Enter on the question starts the reset" answer_attention_box
check "the reset is under way" wait_for 30 bash -c "$(declare -f frames); SESSION_DIR='$SESSION_DIR'; [ \$(frames) -gt $frames_before ]"
check "the reset is not over yet" test "$(app_count 'Flow cancelled')" -eq 0 -a "$(idle_count)" -eq "$idle_mark"
icons_added=$(app_count "Tray icon added")
removals=$(app_count "The system did not detect the Lumeno-KV580 Pro.")
cancelled_and_removed() {
  app_has "Flow cancelled: the mouse went away" &&
    [ "$(app_count "The system did not detect the Lumeno-KV580 Pro.")" -gt "$removals" ]
}
unplugged_at=$(now_ms)
vmouse "unplug"
step="the reset is cancelled and the removal handled within about a second"
wait_for 10 cancelled_and_removed || { echo "no cancel or removal in the log"; exit 1; }
took=$(($(now_ms) - unplugged_at))
echo "cancel and removal logged $took ms after the unplug"
check "$step" test "$took" -lt 2000
check "the window goes with the mouse" wait_for 15 no_main_window
vmouse "plug"
check "plugging back after the cancelled reset finds the mouse" \
  wait_for 15 bash -c "$(declare -f); SESSION_DIR='$SESSION_DIR'; [ \$(app_count 'Tray icon added') -gt $icons_added ] && tray_icon_window"

check "Exit in the tray menu ends the program" \
  bash -c "$(declare -f); exit_through_tray_menu && wait_for 15 bash -c '! kill -0 $APP_PID'"
echo "end-to-end: all steps passed"

#!/usr/bin/env bash
# Damaged data folders: named pipes at the places of the configuration files
# and a macro library of many megabytes. The program must start, never wait
# on a pipe nor read the large file whole, never write over either, and end
# from its tray menu.
#   bad-files.sh <lumeno-kv580> <lumeno-virtual-mouse>
set -euo pipefail
APP=$1
VMOUSE=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/lib/session.sh"
e2e_require Xvfb trayer xdotool xdpyinfo

e2e_begin bad-files
session_env
data="$XDG_CONFIG_HOME/Lumeno-KV580 Pro"
mkdir -p "$data"
mkfifo "$data/config0.bin" "$data/config.bin"
# 100 MiB of one comment line, far over the 1 MiB an INI file may hold.
head -c $((100 << 20)) /dev/zero | tr '\0' ';' >"$data/record.ini"
library_size=$(stat -c %s "$data/record.ini")

start_xvfb
start_tray_host
start_virtual_mouse
start_app

check "the program starts and its icon appears" wait_started
check "the pipe in place of the profile's configuration is taken as missing" \
  app_has "config0.bin not read, taken as missing: not a regular file"
check "the large macro library is not read" app_has "record.ini not read, taken as missing: larger than 1048576 bytes"
peak_kb=$(awk '/^VmHWM/ {print $2}' "/proc/$APP_PID/status")
echo "peak resident memory: $peak_kb kB"
check "the program never held the large file in memory" test "$peak_kb" -lt $((80 << 10))

# The profile's configuration could not be saved over the pipe: told once.
check "the failed save names the pipe" wait_for 15 app_has "Settings not saved in $data/config0.bin: error 22"
check "and is told in a message, which closes with Enter" \
  bash -c "$(declare -f); wait_for 15 message_box && answer_message_box && wait_for 15 bash -c \"\$(declare -f); ! message_box\""

step="a second launch reaches the running copy"
mark_idle
rc=0
"$APP" 2>>"$SESSION_DIR/second.log" || rc=$?
check "$step" test $rc -eq 0
check "the running copy was asked to come forward" wait_for 15 app_has "Another launch asked this copy to come forward"
check "and comes forward" wait_for 15 main_window
check "the writes of coming forward are through" wait_idle

# The factory reset reads the base configuration, here a pipe.
check "Reset asks first" bash -c "$(declare -f); click_reset_button && wait_for 15 attention_box"
mark_idle
check "a reset with a pipe as the base configuration runs to its end" \
  bash -c "$(declare -f); SESSION_DIR='$SESSION_DIR'; idle_mark=$idle_mark; answer_attention_box && wait_idle"
check "the base configuration was taken as missing" app_has "config.bin not read, taken as missing: not a regular file"
check "the pipes are still pipes" test -p "$data/config0.bin" -a -p "$data/config.bin"
check "the macro library is as it was" test "$(stat -c %s "$data/record.ini")" -eq "$library_size"
check "Exit in the tray menu ends the program" \
  bash -c "$(declare -f); exit_through_tray_menu && wait_for 15 bash -c '! kill -0 $APP_PID'"
echo "bad-files: all steps passed"

#!/usr/bin/env bash
# Long run: the real lumeno-kv580 on a private Xvfb with a tray host while
# lumeno-virtual-mouse is unplugged and plugged again, cycle after cycle;
# each cycle waits until the program has handled the removal and the arrival.
# The program's open file descriptors, threads and resident memory are taken
# after a few warm-up cycles and at the end; the end may exceed the start by
# no more than a small fixed bound.
#   plug-cycles.sh <lumeno-kv580> <lumeno-virtual-mouse> [cycles]
# Default 100 cycles. Prints "cycles: N, fds A->B, threads A->B, RSS A->B kB".
set -euo pipefail
APP=$1
VMOUSE=$2
CYCLES=${3:-100}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/lib/session.sh"
e2e_require Xvfb trayer xdotool xdpyinfo
e2e_begin plug-cycles

# What may be in use at the end beyond the start: a handle or a worker in
# passing, and the heap's own slack.
FD_BOUND=2
THREAD_BOUND=2
RSS_BOUND_KB=6144
WARM_UP=5
# Each removal and arrival is handled within this many seconds.
HANDLED_WITHIN=10

fds() { find "/proc/$APP_PID/fd" -mindepth 1 -maxdepth 1 | wc -l; }
threads() { awk '/^Threads:/ {print $2}' "/proc/$APP_PID/status"; }
rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$APP_PID/status"; }
arrivals() { app_count "Tray icon added"; }
removals() { app_count "Tray icon removed"; }

session_env
start_xvfb
start_tray_host
start_virtual_mouse
start_app
wait_started || { echo "the program did not start"; exit 1; }

cycle() {
  local gone came
  gone=$(removals) came=$(arrivals)
  vmouse "unplug"
  wait_for $HANDLED_WITHIN bash -c "[ \$(grep -cF 'Tray icon removed' '$SESSION_DIR/app.log') -gt $gone ]" ||
    { echo "cycle $1: the removal was not handled"; return 1; }
  vmouse "plug"
  wait_for $HANDLED_WITHIN bash -c "[ \$(grep -cF 'Tray icon added' '$SESSION_DIR/app.log') -gt $came ]" ||
    { echo "cycle $1: the arrival was not handled"; return 1; }
}

# The figures are taken at the same point of a cycle each time: just after
# the program has handled an arrival.
for ((i = 1; i <= WARM_UP; i++)); do cycle "warm-up $i"; done
fd0=$(fds) th0=$(threads) rss0=$(rss_kb)
start=$SECONDS
for ((i = 1; i <= CYCLES; i++)); do cycle "$i"; done
fd1=$(fds) th1=$(threads) rss1=$(rss_kb)
echo "cycles: $CYCLES in $((SECONDS - start)) s, fds $fd0->$fd1, threads $th0->$th1, RSS $rss0->$rss1 kB"
kill -0 "$APP_PID" || { echo "the program is gone"; exit 1; }
[ "$fd1" -le $((fd0 + FD_BOUND)) ] || { echo "file descriptors grew"; exit 1; }
[ "$th1" -le $((th0 + THREAD_BOUND)) ] || { echo "threads grew"; exit 1; }
[ "$rss1" -le $((rss0 + RSS_BOUND_KB)) ] || { echo "resident memory grew"; exit 1; }

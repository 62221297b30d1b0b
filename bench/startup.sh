#!/usr/bin/env bash
# Start-up of the real program under Xvfb with a tray host and the virtual
# mouse, over several runs on a fresh data folder each:
#   - process start to the splash window on screen      (goal <= 50 ms median)
#   - process start to the main window initialised and hidden, without the
#     splash's three seconds                              (goal <= 150 ms median)
#   - peak resident memory after start-up                 (goal <= 45 MiB)
#   - CPU used over 5 s idle in the tray                  (goal: none)
#   - the same start-up with the desktop's pointer settings applied: a
#     profile marked as set, on a session that calls itself GNOME with
#     GLib's keyfile settings in the private config folder (goal <= 150 ms
#     median), and the apply itself                        (goal: none)
# Usage: bench/startup.sh [build dir] [runs]    (default build/run, 7 runs)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/run}
runs=${2:-7}
APP=$PWD/$build/lumeno-kv580
VMOUSE=$PWD/$build/emulator/server/lumeno-virtual-mouse
[ -x "$APP" ] && [ -x "$VMOUSE" ] || { echo "build $build first (scripts/run.sh builds build/run)"; exit 1; }

SESSION_DIR=$(mktemp -d /tmp/lumeno-bench.XXXXXX)
. scripts/lib/session.sh
trap 'stop_session; rm -rf "$SESSION_DIR"' EXIT
session_env
start_xvfb
start_tray_host
start_virtual_mouse

# Prefixes each line with the moment it arrived (bash's clock, no subprocess).
stamp() { while IFS= read -r line; do printf '%s %s\n' "$EPOCHREALTIME" "$line"; done; }
at() { grep -F -- "$2" "$1" | head -n 1 | cut -d' ' -f1; }
calc() { awk "BEGIN { printf \"%.3f\\n\", $* }"; }
ms() { calc "($2 - $1) * 1000"; }

splash=() ready=() rss=() idle=()
for i in $(seq "$runs"); do
  rm -rf "$XDG_CONFIG_HOME"; mkdir -p "$XDG_CONFIG_HOME"
  log=$SESSION_DIR/run$i.log
  t0=$EPOCHREALTIME
  "$APP" 2> >(stamp >"$log") &
  pid=$!
  wait_for 20 log_has "$log" "Main window initialised"
  sleep 0.2
  rss+=("$(awk '/VmHWM/ {print $2 / 1024}' /proc/$pid/status)")
  ticks0=$(awk '{print $14 + $15}' /proc/$pid/stat)
  [ "$i" -eq 1 ] && sleep 5
  ticks1=$(awk '{print $14 + $15}' /proc/$pid/stat)
  [ "$i" -eq 1 ] && idle+=($((ticks1 - ticks0)))
  kill "$pid"; wait "$pid" 2>/dev/null || true
  s=$(at "$log" "Splash window shown"); c=$(at "$log" "Splash window closed"); r=$(at "$log" "Main window initialised")
  splash+=("$(ms "$t0" "$s")")
  ready+=("$(calc "$(ms "$t0" "$s") + $(ms "$c" "$r")")")
done

# Start-up with the pointer settings applied to the GNOME backend.
pointer_ready=() pointer_apply=()
seed=$SESSION_DIR/seed
rm -rf "$XDG_CONFIG_HOME" "$seed"; mkdir -p "$XDG_CONFIG_HOME"
"$APP" 2>"$SESSION_DIR/seed.log" &
pid=$!
wait_for 20 log_has "$SESSION_DIR/seed.log" "Main window initialised"
kill "$pid"; wait "$pid" 2>/dev/null || true
cp -r "$XDG_CONFIG_HOME" "$seed"
# The marker joins the profile's existing "Profile" section.
sed -i 's/^\[Profile\]$/[Profile]\nPointerSettings=Y/' "$seed/Lumeno-KV580 Pro/str0.ini"
grep -q '^PointerSettings=Y' "$seed/Lumeno-KV580 Pro/str0.ini" || { echo "the profile could not be marked"; exit 1; }
for i in $(seq "$runs"); do
  rm -rf "$XDG_CONFIG_HOME"; cp -r "$seed" "$XDG_CONFIG_HOME"
  log=$SESSION_DIR/pointer$i.log
  t0=$EPOCHREALTIME
  XDG_CURRENT_DESKTOP=GNOME GSETTINGS_BACKEND=keyfile "$APP" 2> >(stamp >"$log") &
  pid=$!
  wait_for 20 log_has "$log" "Main window initialised"
  kill "$pid"; wait "$pid" 2>/dev/null || true
  s=$(at "$log" "Splash window shown"); c=$(at "$log" "Splash window closed"); r=$(at "$log" "Main window initialised")
  pointer_ready+=("$(calc "$(ms "$t0" "$s") + $(ms "$c" "$r")")")
  pointer_apply+=("$(grep -o 'Pointer settings sent to GNOME in [0-9.]* ms' "$log" | head -n 1 | awk '{print $(NF-1)}')")
done

median() { printf '%s\n' "$@" | sort -g | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
report() { # name goal unit values...
  local name=$1 goal=$2 unit=$3; shift 3
  local m; m=$(median "$@")
  printf '%-44s median %8.1f %-3s goal %6s  ratio %.2f   (runs: %s)\n' "$name" "$m" "$unit" "$goal" \
    "$(calc "$m / $goal")" "$(printf '%.0f ' "$@")"
}
echo "lumeno-kv580 start-up, $runs runs, $(nproc) cores"
report "start to splash on screen" 50 ms "${splash[@]}"
report "start to main window ready (w/o splash)" 150 ms "${ready[@]}"
report "peak resident memory after start-up" 45 MiB "${rss[@]}"
echo "CPU ticks used in 5 s idle in the tray: ${idle[0]}"
report "start to main window ready, pointer applied" 150 ms "${pointer_ready[@]}"
printf '%-44s median %8.1f ms   (runs: %s)\n' "pointer settings applied at start-up" "$(median "${pointer_apply[@]}")" \
  "$(printf '%s ' "${pointer_apply[@]}")"

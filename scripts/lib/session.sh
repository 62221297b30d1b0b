# Shell functions shared by the run command and the end-to-end test: a private
# X display with a tray host, the virtual mouse and the program, driven with
# xdotool as a person would. Source it; set APP and VMOUSE to the binaries
# and SESSION_DIR to a fresh folder first.

session_pids=()

# Installs what running needs and builds the two programs into build/run of
# the checkout; sets APP and VMOUSE to them. Run from the checkout's root.
build_programs() {
  scripts/setup.sh
  cmake -S . -B build/run -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
    -DLUMENO_BUILD_BENCH=OFF >/dev/null
  cmake --build build/run -j "$(nproc)" --target lumeno-kv580 lumeno-virtual-mouse skin
  APP=$PWD/build/run/lumeno-kv580
  VMOUSE=$PWD/build/run/emulator/server/lumeno-virtual-mouse
}

# For the end-to-end tests. e2e_require <tool...>: skips the test (status
# 77) when a tool is missing. e2e_begin <name>: a fresh session folder, shown
# and kept when the test fails, removed when it passes. check <step>
# <command...>: runs one named step; the first that fails ends the test.
e2e_require() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is missing"; exit 77; }
  done
}
# e2e_need <tool...>: as e2e_require, but a missing tool fails the test.
e2e_need() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "FAILED: $tool is missing"; exit 1; }
  done
}
e2e_begin() {
  SESSION_DIR=$(mktemp -d "/tmp/lumeno-$1.XXXXXX")
  # A private home: desktop programs the test starts keep their files there.
  export HOME=$SESSION_DIR/home
  mkdir -p "$HOME"
  step=""
  trap e2e_finish EXIT
}
# A script may define e2e_cleanup; it runs first, before the session stops.
e2e_finish() {
  local rc=$?
  if declare -F e2e_cleanup >/dev/null; then e2e_cleanup; fi
  # What was on the screen when it failed, while the display still runs.
  if [ $rc -ne 0 ] && [ -n "${DISPLAY:-}" ]; then
    echo "== windows on the display:"
    local w
    for w in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
      echo "  $w '$(xdotool getwindowname "$w" 2>/dev/null)' $(xdotool getwindowgeometry "$w" 2>/dev/null | tr -s ' \n' ' ')"
    done
    screenshot "$SESSION_DIR/failed.png" 2>/dev/null || true
  fi
  stop_session
  if [ $rc -ne 0 ]; then
    echo "FAILED at: $step"
    echo "== program:"; tail -n 200 "$SESSION_DIR/app.log" 2>/dev/null || true
    echo "== virtual mouse:"; tail -n 30 "$SESSION_DIR/vmouse.log" 2>/dev/null || true
  else
    rm -rf "$SESSION_DIR"
  fi
}
check() { step=$1; shift; "$@" || exit 1; echo "ok: $step"; }

# A private runtime and data folder, so nothing of the user's is touched.
# SESSION_RUNTIME, when set, names the runtime folder (any length).
session_env() {
  local runtime=${SESSION_RUNTIME:-$SESSION_DIR/runtime}
  mkdir -p "$runtime" "$SESSION_DIR/config"
  chmod 700 "$runtime"
  export XDG_RUNTIME_DIR="$runtime"
  export XDG_CONFIG_HOME="$SESSION_DIR/config"
}

# wait_for <seconds> <command...>: polls until the command succeeds.
wait_for() {
  local limit=$1; shift
  local end=$((SECONDS + limit))
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -ge $end ] && return 1
    sleep 0.1
  done
}

# log_has <file> <fixed text>
log_has() { grep -qF -- "$2" "$1"; }

start_xvfb() {
  # Xvfb picks a free display itself and names it once it accepts clients.
  # It keeps running as it is when its last client goes: a program started
  # right after another was killed finds it answering.
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset \
    3>"$SESSION_DIR/display" >"$SESSION_DIR/xvfb.log" 2>&1 &
  session_pids+=($!)
  wait_for 30 test -s "$SESSION_DIR/display" || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$(tr -dc 0-9 <"$SESSION_DIR/display")"
  start_session_bus
}

# A private session bus beside the private display: the tray host, the
# notification service and the program meet there, and nothing reaches the
# user's own desktop. Services it starts on demand (a notification daemon)
# show on the private display and end with the bus.
start_session_bus() {
  dbus-daemon --session --nofork --print-address=3 3>"$SESSION_DIR/bus" >"$SESSION_DIR/bus.log" 2>&1 &
  session_pids+=($!)
  wait_for 30 test -s "$SESSION_DIR/bus" || { echo "the session bus did not start" >&2; return 1; }
  DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$SESSION_DIR/bus")
  export DBUS_SESSION_BUS_ADDRESS
}
# bus_name_owned <name>: a program on the session bus owns the name (asking
# starts nothing).
bus_name_owned() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner "string:$1" 2>/dev/null | grep -q 'boolean true'
}

# dunst as the desktop's notification service; every notice it gets is
# printed to $SESSION_DIR/notices.log.
start_notification_service() {
  dunst -print >"$SESSION_DIR/notices.log" 2>"$SESSION_DIR/dunst.log" &
  session_pids+=($!)
  wait_for 30 bus_name_owned org.freedesktop.Notifications ||
    { echo "dunst did not take the notification service's name" >&2; return 1; }
}
# notice_shown <text>: the notification service got a notice with the text.
notice_shown() { log_has "$SESSION_DIR/notices.log" "$1"; }

# A notification area for the tray icon.
start_tray_host() {
  trayer --edge top --align right --widthtype request --height 24 \
    --SetDockType true --transparent false >"$SESSION_DIR/trayer.log" 2>&1 &
  session_pids+=($!)
  wait_for 30 xdotool search --name '^panel$' || { echo "trayer did not start" >&2; return 1; }
}

# The virtual mouse, fed through a pipe: vmouse "dpi 3".
start_virtual_mouse() {
  mkfifo "$SESSION_DIR/vmouse.in"
  "$VMOUSE" <"$SESSION_DIR/vmouse.in" >"$SESSION_DIR/vmouse.log" 2>&1 &
  session_pids+=($!)
  exec 7>"$SESSION_DIR/vmouse.in"
  wait_for 30 log_has "$SESSION_DIR/vmouse.log" "ready" || { echo "virtual mouse did not start" >&2; return 1; }
}
vmouse() { echo "$*" >&7; }
# The virtual mouse's state line "state <key> <value>".
mouse_state() {
  local key=$1 before
  before=$(grep -c '^state end' "$SESSION_DIR/vmouse.log" || true)
  vmouse "state"
  wait_for 15 bash -c "[ \$(grep -c '^state end' '$SESSION_DIR/vmouse.log') -gt $before ]" || return 1
  grep "^state $key " "$SESSION_DIR/vmouse.log" | tail -n 1 | cut -d' ' -f3-
}
# Code n (0..15) of the button map the virtual mouse holds: "aa bb cc dd".
map_code() { mouse_state buttonMap | tr -d '[]' | cut -d' ' -f$(($1 * 4 + 1))-$(($1 * 4 + 4)); }

start_app() {
  "$APP" 2>"$SESSION_DIR/app.log" &
  APP_PID=$!
  session_pids+=($APP_PID)
}
app_has() { log_has "$SESSION_DIR/app.log" "$1"; }
# app_count <text>: how many lines of the program's output hold the text.
app_count() { grep -cF -- "$1" "$SESSION_DIR/app.log" || true; }

# The tray icon: the program's 22 x 22 window embedded in the tray host.
tray_icon_window() {
  local w
  for w in $(xdotool search --onlyvisible --class lumeno-kv580 2>/dev/null); do
    if xdotool getwindowgeometry "$w" 2>/dev/null | grep -q 'Geometry: 22x22'; then
      echo "$w"
      return 0
    fi
  done
  return 1
}

# click_window <window> <dx> <dy> [button] [repeat]
click_window() {
  local w=$1 dx=$2 dy=$3 button=${4:-1} repeat=${5:-1}
  eval "$(xdotool getwindowgeometry --shell "$w")"
  xdotool mousemove $((X + dx)) $((Y + dy)) sleep 0.1 click --repeat "$repeat" --delay 80 "$button"
}

double_click_tray_icon() {
  local icon
  icon=$(tray_icon_window) || return 1
  click_window "$icon" 11 11 1 2
}

# The main window: the product's name as its title, at the skin's 1000 x 650
# (a message box has the same title).
main_window() {
  local w
  for w in $(xdotool search --onlyvisible --name '^Lumeno-KV580 Pro$' 2>/dev/null); do
    xdotool getwindowgeometry "$w" 2>/dev/null | grep -q 'Geometry: 1000x650' && { echo "$w"; return 0; }
  done
  return 0
}
no_main_window() { [ -z "$(main_window)" ]; }
# The program's message box: a window with the product's name as its title,
# smaller than the main window.
message_box() {
  local w
  for w in $(xdotool search --onlyvisible --name '^Lumeno-KV580 Pro$' 2>/dev/null); do
    xdotool getwindowgeometry "$w" 2>/dev/null | grep -q 'Geometry: 1000x650' && continue
    echo "$w"
    return 0
  done
  return 1
}
# A visible window of the program other than the main window and the tray
# icon: a dialog or a popup menu.
other_window() {
  local w
  for w in $(xdotool search --onlyvisible --class lumeno-kv580 2>/dev/null); do
    xdotool getwindowgeometry "$w" 2>/dev/null | grep -qE 'Geometry: (22x22|1000x650)' && continue
    echo "$w"
    return 0
  done
  return 1
}
no_other_window() { ! other_window >/dev/null; }
# Waits until only the main window and the tray icon are left.
windows_closed() {
  wait_for 15 no_other_window && return 0
  local w
  w=$(other_window) || return 0
  echo "still open: $(xdotool getwindowname "$w") $(xdotool getwindowgeometry "$w" | tr '\n' ' ')" >&2
  return 1
}

# Enter on the message box takes its OK button.
answer_message_box() {
  local w
  w=$(message_box) || return 1
  xdotool windowfocus --sync "$w" key Return
}

# The program's question before a reset: a message box titled "ATTENTION!!".
attention_box() { xdotool search --onlyvisible --name '^ATTENTION!!$' 2>/dev/null | head -n 1 | grep .; }
# Enter on the question takes its OK button.
answer_attention_box() {
  local w
  w=$(attention_box) || return 1
  xdotool windowfocus --sync "$w" key Return
}

# The main window's Reset button (centre of its 923,604-980,634 rectangle).
click_reset_button() {
  local w
  w=$(main_window)
  [ -n "$w" ] || return 1
  click_window "$w" 951 619
}

# Milliseconds of the system clock.
now_ms() { date +%s%3N; }

# The tray menu: the program's popup window, neither the icon nor a window
# with a title of its own.
tray_menu_window() {
  local w
  for w in $(xdotool search --onlyvisible --class lumeno-kv580 2>/dev/null); do
    xdotool getwindowgeometry "$w" 2>/dev/null | grep -q 'Geometry: 22x22' && continue
    [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "Lumeno-KV580 Pro" ] && continue
    echo "$w"
    return 0
  done
  return 1
}

# The tray menu's "Exit": right-click the icon, then the menu's one item.
exit_through_tray_menu() {
  local icon menu
  icon=$(tray_icon_window) || return 1
  click_window "$icon" 11 11 3
  wait_for 15 tray_menu_window || return 1
  menu=$(tray_menu_window)
  eval "$(xdotool getwindowgeometry --shell "$menu")"
  click_window "$menu" $((WIDTH / 2)) $((HEIGHT / 2))
}

# vmouse_has <extended regex>: a line of the virtual mouse's output matches.
vmouse_has() { grep -qE -- "$1" "$SESSION_DIR/vmouse.log"; }
# How many lighting effects the virtual mouse received.
lighting_lines() { grep -c '^frame SetLightingEffect' "$SESSION_DIR/vmouse.log" || true; }
more_lighting_than() { [ "$(lighting_lines)" -gt "$1" ]; }
# The program says "Device writes done" once its device worker has finished
# every write asked of it, including those that the end of a write asks for
# (a closed profile pane sends the lighting again); the main window takes no
# input before. mark_idle before an action that makes it write, wait_idle
# after it; an action that writes nothing is not followed by that line.
idle_count() {
  local n
  n=$(grep -cF 'Device writes done' "$SESSION_DIR/app.log" 2>/dev/null || true)
  echo "${n:-0}"
}
# idle_since <count>: the program said it more often than that.
idle_since() { [ "$(idle_count)" -gt "$1" ]; }
mark_idle() { idle_mark=$(idle_count); }
wait_idle() { wait_for 30 idle_since "${idle_mark:?mark_idle first}"; }
# write_through <command...>: an action that makes the program write; waits
# until the writes are through.
write_through() { mark_idle && "$@" && wait_idle; }
# A freshly started program: the icon is up and the lighting its start sends
# is through.
wait_started() { wait_for 30 tray_icon_window && wait_for 30 idle_since 0; }
# A double-click on the icon: the window shows and the lighting its opening
# sends is through.
restore_from_tray() {
  mark_idle
  double_click_tray_icon && wait_for 15 main_window && wait_idle
}
# lighting_click <window> <dx> <dy>: a click that sends one more lighting
# effect; waits until the program's writes are through.
lighting_click() {
  local before
  before=$(lighting_lines)
  mark_idle
  click_window "$1" "$2" "$3" && wait_idle && wait_for 15 more_lighting_than "$before"
}
# lighting_drag <window> <x1> <y1> <x2> <y2>: a drag that sends one more
# lighting effect; waits until the program's writes are through.
lighting_drag() {
  local before
  before=$(lighting_lines)
  mark_idle
  drag_in_window "$@" && wait_idle && wait_for 15 more_lighting_than "$before"
}
# drag_in_window <window> <x1> <y1> <x2> <y2>: a left-button drag.
drag_in_window() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + $2)) $((Y + $3)) sleep 0.1 mousedown 1 sleep 0.1 \
    mousemove $((X + ($2 + $4) / 2)) $((Y + $5)) sleep 0.1 mousemove $((X + $4)) $((Y + $5)) sleep 0.1 mouseup 1
}

screenshot() { import -window root "$1"; }

stop_session() {
  { exec 7>&-; } 2>/dev/null || true
  local p
  for p in "${session_pids[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${session_pids[@]}"; do wait "$p" 2>/dev/null || true; done
  session_pids=()
}

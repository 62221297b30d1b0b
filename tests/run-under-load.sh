#!/usr/bin/env bash
# The window tests and the end-to-end tests while stress-ng keeps every core
# busy: a test that waits for a time instead of a condition fails here. The
# rounds run in random order (ctest --schedule-random) under CPU load first,
# then I/O load, then memory pressure; a skipped test counts as failed.
#   tests/run-under-load.sh [build dir] [window rounds] [e2e rounds]
# Defaults: build/ci of this checkout, 10 and 3. Prints how often each test
# failed; exits with 0 only when none did. Logs: <build dir>/under-load/.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/ci}
window_rounds=${2:-10}
e2e_rounds=${3:-3}
if [ ! -f "$build/CTestTestfile.cmake" ]; then
  echo "$build holds no tests: configure and build it first" >&2
  exit 2
fi
command -v stress-ng >/dev/null || { echo "stress-ng is missing (apt-get install stress-ng)" >&2; exit 2; }
logs=$build/under-load
rm -rf "$logs"
mkdir -p "$logs"
cores=$(nproc)

# The load of round <n> of <rounds>: the first third CPU, then I/O, then memory.
load_of() {
  case $(($1 * 3 / $2)) in
    0) echo cpu ;;
    1) echo io ;;
    *) echo memory ;;
  esac
}
start_load() {
  local args
  case $1 in
    cpu) args=(--cpu "$cores") ;;
    io) args=(--hdd "$cores" --hdd-bytes 256M --iomix "$cores" --temp-path "$logs") ;;
    memory) args=(--vm "$cores" --vm-bytes 60% --vm-keep) ;;
  esac
  stress-ng "${args[@]}" --timeout 0 --quiet >"$logs/stress-ng.log" 2>&1 &
  load_pid=$!
}
stop_load() {
  kill "$load_pid" 2>/dev/null
  wait "$load_pid" 2>/dev/null
}
trap 'stop_load; exit 130' INT TERM

# run_rounds <label> <rounds>
run_rounds() {
  local label=$1 rounds=$2 n load out
  for ((n = 0; n < rounds; n++)); do
    load=$(load_of "$n" "$rounds")
    out=$logs/$label-$((n + 1))-$load.out
    start_load "$load"
    ctest --test-dir "$build" -L "^$label\$" -j "$cores" --schedule-random --timeout 900 --output-on-failure \
      >"$out" 2>&1
    stop_load
    echo "$label round $((n + 1)) of $rounds under $load load: $(grep -E 'tests passed' "$out" | tail -n 1)"
    # Failed and skipped tests, one name per line.
    sed -n '/The following tests \(FAILED\|did not run\):/,$p' "$out" |
      sed -nE 's/^[[:space:]]+[0-9]+ - ([^ ]+) .*/\1/p' >>"$logs/failures"
  done
}

touch "$logs/failures"
run_rounds window "$window_rounds"
run_rounds e2e "$e2e_rounds"

if [ -s "$logs/failures" ]; then
  echo "Failed or skipped (times, test):"
  sort "$logs/failures" | uniq -c | sort -rn
  echo "logs: $logs"
  exit 1
fi
echo "No test failed or was skipped in $window_rounds window rounds and $e2e_rounds end-to-end rounds."

#!/usr/bin/env bash
# Two copies of the whole test suite at the same time against one build: a
# test that shares a file, folder, socket or display with another run of
# itself fails here. Each VM test builds its image in a folder of its own.
# Each copy has its own log and exit status; both are reported, and this exits
# with 0 only when both pass.
#   tests/run-twice.sh [build dir]      (default: build/ci of this checkout)
# The logs are <build dir>/run-twice/copy1.log and copy2.log.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/ci}
if [ ! -f "$build/CTestTestfile.cmake" ]; then
  echo "$build holds no tests: configure and build it first" >&2
  exit 2
fi
logs=$build/run-twice
rm -rf "$logs"
mkdir -p "$logs"

pids=()
stop() {
  kill "${pids[@]}" 2>/dev/null
  wait
  exit 130
}
trap stop INT TERM

for n in 1 2; do
  ctest --test-dir "$build" --output-on-failure --output-log "$logs/copy$n.log" >"$logs/copy$n.out" 2>&1 &
  pids+=($!)
done

status=0
for n in 1 2; do
  wait "${pids[n - 1]}"
  rc=$?
  summary=$(grep -E 'tests passed, [0-9]+ tests? failed out of' "$logs/copy$n.out" | tail -n 1)
  echo "copy $n: exit status $rc; ${summary:-no summary (see $logs/copy$n.out)}"
  # ctest lists the failed tests after this line, one per line.
  sed -n '/The following tests FAILED:/,$p' "$logs/copy$n.out" | grep -E '^[[:space:]]+[0-9]+ - '
  [ "$rc" -eq 0 ] || status=1
done
echo "logs: $logs/copy1.log $logs/copy2.log"
exit $status

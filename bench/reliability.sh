#!/usr/bin/env bash
# The full reliability runs whose figures the README gives: 200 kills during
# saves (seed 21) and 1000 unplug/plug cycles, against a built tree.
#   bench/reliability.sh [build dir]      (default: build/ci of this checkout)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/ci}
app=$build/lumeno-kv580
vmouse=$build/emulator/server/lumeno-virtual-mouse
for f in "$app" "$vmouse"; do
  [ -x "$f" ] || { echo "$f is missing: build $build first" >&2; exit 2; }
done
"$root/tests/e2e/kill-saves.sh" "$app" "$vmouse" 200 21 | tail -n 2
"$root/tests/e2e/plug-cycles.sh" "$app" "$vmouse" 1000 | tail -n 1

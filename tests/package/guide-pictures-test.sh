#!/usr/bin/env bash
# The guide's picture script runs against the built programs, and every
# picture the user guide and the README name exists, both as made now (in
# both languages) and as committed.
#   guide-pictures-test.sh <lumeno-kv580> <lumeno-virtual-mouse>
set -euo pipefail
export APP=$1 VMOUSE=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
for tool in Xvfb trayer xdotool import; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is missing"; exit 77; }
done
out=$(mktemp -d /tmp/lumeno-guide-test.XXXXXX)
trap 'rm -rf "$out"' EXIT

"$root/scripts/guide-pictures.sh" "$out"

failed=0
named=$(grep -ohE '\(guide/en/[a-z-]+\.png\)' "$root/docs/user-guide.md" | tr -d '()' | sort -u)
[ -n "$named" ] || { echo "the guide names no pictures"; exit 1; }
for picture in $named; do
  name=${picture#guide/en/}
  for lang in en zh-CN; do
    [ -s "$out/$lang/$name" ] || { echo "not made: $lang/$name"; failed=1; }
    [ -s "$root/docs/guide/$lang/$name" ] || { echo "not committed: docs/guide/$lang/$name"; failed=1; }
  done
done
for picture in $(grep -ohE '\(docs/guide/[a-zA-Z-]+/[a-z-]+\.png\)' "$root/README.md" | tr -d '()'); do
  [ -s "$root/$picture" ] || { echo "the README names a missing picture: $picture"; failed=1; }
done
[ $failed -eq 0 ] && echo "every picture of the guide and the README exists ($(wc -w <<<"$named") in each language)"
exit $failed

#!/usr/bin/env bash
# Sets everything up, builds and runs every test: a normal build with
# warnings as errors and its tests, a ThreadSanitizer build of the threaded
# parts, and one clang build with AddressSanitizer + UBSan for the sanitizer
# tests and the fuzzers.
#   scripts/test.sh            everything
#   scripts/test.sh --quick    the normal build and its tests only
# The end-to-end, VM, package and install tests spend most of their time
# waiting on windows, a VM and child programs, so they run beside the rest;
# the builds and fuzzers meanwhile run at a lower priority. The builds carry
# line tables only, which is what the sanitizers' reports need. The normal
# and the clang build compile in batches (LUMENO_UNITY); the ThreadSanitizer
# build compiles file by file, so a file that lacks one of its own includes
# still fails here.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)

scripts/setup.sh --test

# One code style (.clang-format) in every C++ file.
find src emulator tests bench fuzz skin \( -name '*.h' -o -name '*.cpp' \) -print0 |
  xargs -0 clang-format --dry-run --Werror

build() { # <dir> <optimisation> <extra cmake args...>
  local dir=$1 opt=$2
  shift 2
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="$opt -g1 -DNDEBUG" "$@" >/dev/null
  nice -n 10 cmake --build "$dir" -j "$jobs" ${targets:+--target $targets}
}

build build/ci -O2 -DLUMENO_WERROR=ON -DLUMENO_UNITY=ON

# The VM test of the hidraw backend must run here, not be skipped; its kernel
# download is kept between runs, in the system's cache as root, else in the
# user's.
if [ "$(id -u)" -eq 0 ]; then
  vm_cache=/var/cache/lumeno-kv580-vm
else
  vm_cache=${XDG_CACHE_HOME:-$HOME/.cache}/lumeno-kv580-vm
fi
slow_labels='e2e|vm|package|install'
slow_log=build/ci/slow-tests.log
LUMENO_REQUIRE_VM=1 LUMENO_VM_CACHE=${LUMENO_VM_CACHE:-$vm_cache} \
  ctest --test-dir build/ci -j "$jobs" --output-on-failure --timeout 600 -L "$slow_labels" \
  --output-log build/ci/slow-tests-ctest.log >"$slow_log" 2>&1 &
slow_pid=$!
# Waits for the tests running beside, shows their report and fails with them.
finish_slow_tests() {
  local rc=0
  wait "$slow_pid" || rc=$?
  echo "== End-to-end, VM, package and install tests"
  cat "$slow_log"
  return $rc
}
trap 'kill $slow_pid 2>/dev/null || true' EXIT

ctest --test-dir build/ci -j "$jobs" --output-on-failure --timeout 300 -LE "$slow_labels"
if [ "${1:-}" = "--quick" ]; then
  finish_slow_tests
  exit 0
fi

# run_parallel <log dir> <command>...: runs the commands (each one string
# for bash), as many at once as there are cores, each into its own numbered
# log; a failing one's log is printed, and this fails when any failed.
run_parallel() {
  local logs=$1 n=0 failed=0 cmd
  shift
  mkdir -p "$logs"
  for cmd in "$@"; do
    while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || failed=1; done
    n=$((n + 1))
    echo "[$n] $cmd"
    (nice -n 10 bash -c "$cmd" >"$logs/$n.log" 2>&1 || { echo "FAILED [$n]: $cmd"; tail -n 60 "$logs/$n.log"; exit 1; }) &
  done
  while [ "$(jobs -rp | wc -l)" -gt 0 ]; do wait -n || failed=1; done
  return $failed
}

# ThreadSanitizer on what runs threads: the device link, the event
# reader, the device worker and the flows (test_device), the emulator and
# the Linux HID backends with the virtual-device server (linuxhid_tests).
tsan_tests=(tests/device/test_device tests/emulator/test_emulator tests/linuxhid/linuxhid_tests)
tsan_runs=()
for t in "${tsan_tests[@]}"; do
  tsan_runs+=("TSAN_OPTIONS='halt_on_error=1 second_deadlock_stack=1' build/tsan/$t --gtest_brief=1")
done
targets="${tsan_tests[*]##*/}" build build/tsan -O1 -DLUMENO_TSAN=ON -DLUMENO_BUILD_UI=OFF -DLUMENO_BUILD_BENCH=OFF
echo "== ThreadSanitizer"
run_parallel build/tsan/logs "${tsan_runs[@]}"

# One clang build for AddressSanitizer + UBSan and the fuzzers: the core, the
# emulator and the Linux platform layer with their tests, and the fuzz
# targets, all from the same objects.
CC=clang CXX=clang++ build build/asan -O1 -DLUMENO_SANITIZE=ON -DLUMENO_FUZZ=ON -DLUMENO_BUILD_UI=OFF \
  -DLUMENO_BUILD_BENCH=OFF -DLUMENO_UNITY=ON
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  nice -n 10 ctest --test-dir build/asan -j "$jobs" --output-on-failure --timeout 600 -LE 'vm|e2e'

# Each fuzz target runs this long (LUMENO_FUZZ_SECONDS overrides), one per
# core. New inputs go to a copy, so the checkout's seed corpus stays as
# committed.
fuzz_seconds=${LUMENO_FUZZ_SECONDS:-45}
fuzz_runs=()
for f in build/asan/fuzz/fuzz_*; do
  [ -x "$f" ] || continue
  name=$(basename "$f")
  corpus=build/asan/corpus/$name
  mkdir -p "$corpus"
  cp -r "$root/fuzz/corpus/$name/." "$corpus/" 2>/dev/null || true
  fuzz_runs+=("UBSAN_OPTIONS=print_stacktrace=1 $f -max_total_time=$fuzz_seconds -rss_limit_mb=2048 -print_final_stats=1 $corpus")
done
echo "== ${#fuzz_runs[@]} fuzz targets for $fuzz_seconds s each, $jobs at a time"
run_parallel build/asan/fuzz/logs "${fuzz_runs[@]}"
grep -H '^stat::number_of_executed_units' build/asan/fuzz/logs/*.log || true

finish_slow_tests
echo "All tests passed."

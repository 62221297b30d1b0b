#!/usr/bin/env bash
# Sets everything up, builds and runs every test: a normal build with
# warnings as errors, then a ThreadSanitizer build of the threaded parts, an
# AddressSanitizer + UBSan build, then the fuzzers.
#   scripts/test.sh            everything
#   scripts/test.sh --quick    the normal build and its tests only
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)

scripts/setup.sh --test

# One code style (.clang-format) in every C++ file.
find src emulator tests bench fuzz skin \( -name '*.h' -o -name '*.cpp' \) -print0 |
  xargs -0 clang-format --dry-run --Werror

build() { # <dir> <extra cmake args...>
  local dir=$1; shift
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}

build build/ci -DLUMENO_WERROR=ON
# The VM test of the hidraw backend must run here, not be skipped; its kernel
# download is kept between runs, in the system's cache as root, else in the
# user's.
if [ "$(id -u)" -eq 0 ]; then
  vm_cache=/var/cache/lumeno-kv580-vm
else
  vm_cache=${XDG_CACHE_HOME:-$HOME/.cache}/lumeno-kv580-vm
fi
LUMENO_REQUIRE_VM=1 LUMENO_VM_CACHE=${LUMENO_VM_CACHE:-$vm_cache} \
  ctest --test-dir build/ci -j "$jobs" --output-on-failure --timeout 300
[ "${1:-}" = "--quick" ] && exit 0

# ThreadSanitizer on what runs threads: the device link, the event
# reader, the device worker and the flows (test_device), the emulator and
# the Linux HID backends with the virtual-device server (linuxhid_tests).
build_targets() { # <dir> <targets...> -- <extra cmake args...>
  local dir=$1; shift
  local targets=()
  while [ "$1" != "--" ]; do targets+=("$1"); shift; done
  shift
  cmake -S "$root" -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$jobs" --target "${targets[@]}"
}
tsan_tests=(tests/device/test_device tests/emulator/test_emulator tests/linuxhid/linuxhid_tests)
build_targets build/tsan "${tsan_tests[@]##*/}" -- -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMENO_TSAN=ON \
  -DLUMENO_BUILD_UI=OFF -DLUMENO_BUILD_BENCH=OFF
for t in "${tsan_tests[@]}"; do
  echo "== ThreadSanitizer: $(basename "$t")"
  TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" "build/tsan/$t" --gtest_brief=1
done

# AddressSanitizer + UBSan: the core, the emulator and the Linux platform layer
# with their tests.
build build/asan -DLUMENO_SANITIZE=ON -DLUMENO_BUILD_UI=OFF -DLUMENO_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/asan -j "$jobs" --output-on-failure --timeout 600 -LE 'vm|e2e'

# Each fuzz target runs this long (LUMENO_FUZZ_SECONDS overrides).
fuzz_seconds=${LUMENO_FUZZ_SECONDS:-45}
if [ -f fuzz/CMakeLists.txt ]; then
  CC=clang CXX=clang++ build build/fuzz -DLUMENO_FUZZ=ON -DLUMENO_BUILD_UI=OFF \
    -DLUMENO_BUILD_BENCH=OFF -DBUILD_TESTING=OFF
  for f in build/fuzz/fuzz/fuzz_*; do
    [ -x "$f" ] || continue
    name=$(basename "$f")
    # New inputs go to a copy, so the checkout's seed corpus stays as committed.
    corpus=build/fuzz/corpus/$name
    mkdir -p "$corpus"
    cp -r "$root/fuzz/corpus/$name/." "$corpus/" 2>/dev/null || true
    echo "== $name for $fuzz_seconds s"
    "$f" -max_total_time="$fuzz_seconds" -rss_limit_mb=2048 -print_final_stats=1 "$corpus" > "build/fuzz/$name.log" 2>&1 \
      || { tail -n 40 "build/fuzz/$name.log"; exit 1; }
    grep -E '^stat::number_of_executed_units' "build/fuzz/$name.log" || true
  done
fi
echo "All tests passed."

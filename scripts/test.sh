#!/usr/bin/env bash
# Sets everything up, builds and runs every test: a normal build with
# warnings as errors, then an AddressSanitizer + UBSan build, then the fuzzers.
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

# Sanitizers: the core, the emulator and the Linux platform layer with their tests.
build build/asan -DLUMENO_SANITIZE=ON -DLUMENO_BUILD_UI=OFF -DLUMENO_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/asan -j "$jobs" --output-on-failure --timeout 600 -LE 'vm|e2e'

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
    echo "== $name for 60 s"
    "$f" -max_total_time=60 -rss_limit_mb=2048 -print_final_stats=0 "$corpus" > "build/fuzz/$name.log" 2>&1 \
      || { tail -n 40 "build/fuzz/$name.log"; exit 1; }
  done
fi
echo "All tests passed."

#!/bin/sh
# The VM test: boots Debian's kernel under qemu (TCG) with an initramfs that
# holds the static test binary and lumeno-virtual-mouse, and passes when the
# test inside passed.
#   run-vm-test.sh TEST_BINARY MOUSE_BINARY WORK_DIR
# Exit 77 (skipped) when qemu or the packages are missing, unless
# LUMENO_REQUIRE_VM=1 (CI), which makes that a failure.
# LUMENO_VM_CACHE: where downloaded packages are kept (default WORK_DIR/debs);
# runs at once share it safely.
set -u
test=$1 mouse=$2 work=$3
here=$(cd "$(dirname "$0")" && pwd)

skip() {
  echo "VM test not run: $*"
  [ "${LUMENO_REQUIRE_VM:-0}" = 1 ] && exit 1
  exit 77
}
for tool in qemu-system-x86_64 apt-get dpkg-deb cpio gzip; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done

# Each run builds its image in a folder of its own under WORK_DIR: two runs
# at once must not write into each other's initramfs. The folder goes when
# the run passed and stays for a look when it failed.
cache=${LUMENO_VM_CACHE:-$work/debs}
mkdir -p "$work" || exit 1
run=$(mktemp -d "$work/run.XXXXXX") || exit 1
"$here/build-initramfs.sh" "$run" "$cache" "$test" "$mouse"
rc=$?
[ $rc -eq 77 ] && skip "the kernel or busybox package cannot be had"
[ $rc -eq 0 ] || exit 1

if [ "$(cat "$run/kernel.kind")" = pvh ]; then machine=pc; else machine=q35; fi
log=$run/console.log
start=$(date +%s)
timeout "${LUMENO_VM_TIMEOUT:-300}" qemu-system-x86_64 -accel tcg -cpu max -M "$machine" -m 512 -smp 1 \
  -nodefaults -no-user-config -display none -serial stdio -no-reboot \
  -kernel "$run/kernel" -initrd "$run/initramfs.cpio.gz" \
  -append "console=ttyS0 panic=-1 quiet loglevel=4 rdinit=/init" > "$log" 2>&1
qrc=$?
tr -d '\r' < "$log" > "$log.txt" && mv "$log.txt" "$log"
cat "$log"
echo "qemu exit $qrc after $(( $(date +%s) - start )) s"
grep -q '^VM-TEST-EXIT: 0$' "$log" || { echo "VM files kept in $run"; exit 1; }
rm -rf "$run"

#!/bin/sh
# The VM test: boots Debian's kernel under qemu (TCG) with an initramfs that
# holds the static test binary and lumeno-virtual-mouse, and passes when the
# test inside passed.
#   run-vm-test.sh TEST_BINARY MOUSE_BINARY WORK_DIR
# Exit 77 (skipped) when qemu or the packages are missing, unless
# LUMENO_REQUIRE_VM=1 (CI), which makes that a failure.
# LUMENO_VM_CACHE: where downloaded packages are kept (default WORK_DIR/debs).
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

"$here/build-initramfs.sh" "$work" "${LUMENO_VM_CACHE:-$work/debs}" "$test" "$mouse"
rc=$?
[ $rc -eq 77 ] && skip "the kernel or busybox package cannot be had"
[ $rc -eq 0 ] || exit 1

if [ "$(cat "$work/kernel.kind")" = pvh ]; then machine=pc; else machine=q35; fi
log=$work/console.log
start=$(date +%s)
timeout "${LUMENO_VM_TIMEOUT:-300}" qemu-system-x86_64 -accel tcg -cpu max -M "$machine" -m 512 -smp 1 \
  -nodefaults -no-user-config -display none -serial stdio -no-reboot \
  -kernel "$work/kernel" -initrd "$work/initramfs.cpio.gz" \
  -append "console=ttyS0 panic=-1 quiet loglevel=4 rdinit=/init" > "$log" 2>&1
qrc=$?
tr -d '\r' < "$log" > "$log.txt" && mv "$log.txt" "$log"
cat "$log"
echo "qemu exit $qrc after $(( $(date +%s) - start )) s"
grep -q '^VM-TEST-EXIT: 0$' "$log"

#!/bin/sh
# Builds the kernel and initramfs of the VM test from Debian's own packages.
# Nothing is installed: the kernel and busybox packages are only downloaded
# (kept in CACHE, so later runs need no network) and unpacked.
#   build-initramfs.sh WORK CACHE TEST_BINARY MOUSE_BINARY
# Leaves WORK/kernel (uncompressed vmlinux when python3 is there, else the
# bzImage) and WORK/initramfs.cpio.gz. Exit 77: the packages cannot be had.
set -eu
work=$1 cache=$2 test=$3 mouse=$4
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$work" "$cache"

kernel_package() {
  apt-cache depends linux-image-amd64 2>/dev/null | awk '/Depends: linux-image-[0-9]/ {print $2; exit}'
}
kpkg=$(kernel_package)
if [ -z "$kpkg" ] && [ "$(id -u)" = 0 ]; then
  # A fresh machine may have no package lists yet.
  apt-get update -qq >/dev/null 2>&1 && kpkg=$(kernel_package)
fi
if [ -z "$kpkg" ]; then
  # No package lists: use a kernel fetched before, if any.
  kpkg=$(ls "$cache" 2>/dev/null | sed -n 's/^\(linux-image-[0-9][^_]*\)_.*\.deb$/\1/p' | tail -n 1)
fi
[ -n "$kpkg" ] || { echo "no kernel package known (run apt-get update)"; exit 77; }
kver=${kpkg#linux-image-}

fetch() { # package
  ls "$cache/$1"_*.deb >/dev/null 2>&1 && return 0
  (cd "$cache" && apt-get download -q "$1" >/dev/null 2>&1) || { echo "cannot download $1"; exit 77; }
}
kdir=$cache/$kpkg
# The cache is shared by runs at once: one of them fetches and unpacks at a
# time, the others wait for it and then find the work done.
exec 9>"$cache/.lock"
flock 9
[ -f "$kdir/done" ] || fetch "$kpkg"
fetch busybox-static

# Kernel and the three modules, unpacked once per kernel version; the
# package itself is then no longer needed.
if [ ! -f "$kdir/done" ]; then
  rm -rf "$kdir" && mkdir -p "$kdir"
  dpkg-deb --fsys-tarfile "$cache/$kpkg"_*.deb |
    tar -x -C "$kdir" --wildcards "./boot/vmlinuz-$kver" "./lib/modules/$kver/kernel/drivers/hid/hid.ko*" \
      "./lib/modules/$kver/kernel/drivers/hid/uhid.ko*" "./lib/modules/$kver/kernel/drivers/hid/hid-generic.ko*"
  for m in "$kdir/lib/modules/$kver/kernel/drivers/hid/"*.ko.xz; do
    [ -e "$m" ] && xz -d "$m"
  done
  # The uncompressed kernel boots straight into its PVH entry: no
  # decompression under emulation, about 3 s less per run.
  if command -v python3 >/dev/null; then
    python3 "$here/extract-vmlinux.py" "$kdir/boot/vmlinuz-$kver" "$kdir/vmlinux"
  fi
  touch "$kdir/done"
  rm -f "$cache/$kpkg"_*.deb
fi
if [ -f "$kdir/vmlinux" ]; then
  cp "$kdir/vmlinux" "$work/kernel"
  echo pvh > "$work/kernel.kind"
else
  cp "$kdir/boot/vmlinuz-$kver" "$work/kernel"
  echo bzimage > "$work/kernel.kind"
fi

flock -u 9
exec 9>&-

root=$work/root
rm -rf "$root" && mkdir -p "$root/bin" "$root/proc" "$root/sys" "$root/dev" "$root/lib/modules"
dpkg-deb --fsys-tarfile "$cache"/busybox-static_*.deb | tar -x -O ./bin/busybox > "$root/bin/busybox"
chmod 755 "$root/bin/busybox"
cp "$here/init" "$root/init"
cp "$test" "$root/vm_hid_test"
cp "$mouse" "$root/lumeno-virtual-mouse"
for m in hid uhid hid-generic; do
  cp "$kdir/lib/modules/$kver/kernel/drivers/hid/$m.ko" "$root/lib/modules/"
done
(cd "$root" && find . | cpio -o -H newc --quiet | gzip -1) > "$work/initramfs.cpio.gz"
echo "kernel $kver ($(cat "$work/kernel.kind")), initramfs $(wc -c < "$work/initramfs.cpio.gz") bytes"

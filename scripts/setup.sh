#!/usr/bin/env bash
# Installs the Debian packages that are missing; skips apt entirely when
# everything is already there.
#   scripts/setup.sh          building and running the program and the virtual
#                             mouse, with run.sh's private X session
#   scripts/setup.sh --test   that and everything scripts/test.sh needs
#   scripts/setup.sh --package  that and what building the Debian package needs
set -euo pipefail

packages=(
  # The build: compiler, CMake, Qt 6, Xlib and xcb for the X11 window lookup.
  cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools libx11-dev libxcb1-dev
  # The desktop's pointer settings: GIO (GSettings, D-Bus) and XInput2.
  libglib2.0-dev libxi-dev
  # Fonts of the program's texts: Latin, simplified and traditional Chinese.
  fonts-dejavu-core fonts-wqy-microhei
  # run.sh: the display check (xdpyinfo), a private X display, a tray host,
  # clicks and window lookups, screenshots (import).
  x11-utils xvfb trayer xdotool imagemagick
  # The private display's own session bus (dbus-daemon; dbus-send asks it).
  dbus-daemon dbus-bin
)
test_packages=(
  # Unit tests and benchmarks.
  libgtest-dev libgmock-dev libbenchmark-dev
  # The GNOME pointer backend's tests: the mouse schema, gsettings and
  # glib-compile-schemas.
  gsettings-desktop-schemas libglib2.0-bin
  # The keyboard grab tests type keys through XTest.
  libxtst-dev
  # The VM test: qemu, the initramfs, unpacking the kernel and its modules.
  qemu-system-x86 cpio xz-utils python3
  # The tray tests: a StatusNotifierItem host (xfce4-panel, whose settings
  # live in xfconf) and a notification service (dunst).
  xfce4-panel xfconf dunst
  # tests/run-under-load.sh keeps the cores busy with stress-ng.
  stress-ng
  # The sanitizer build and the fuzzers: clang with libFuzzer. The code style check.
  clang libclang-rt-14-dev clang-format
  # The package checks: its dependencies, lintian, the desktop entries, the
  # metainfo and the man pages.
  dpkg-dev lintian desktop-file-utils appstream groff man-db
)

case "${1:-}" in
  "") ;;
  --test) packages+=("${test_packages[@]}") ;;
  --package) packages+=(dpkg-dev) ;;
  *) echo "usage: $0 [--test|--package]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  SUDO=sudo
else
  SUDO=
fi
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# Builds the Debian package (fresh Debian 12, as root or with sudo): installs
# what it needs, builds the program in build/package and writes
# build/package/lumeno-kv580_<version>_<arch>.deb. Install it with
#   sudo apt install ./build/package/lumeno-kv580_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --package
cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
  -DLUMENO_BUILD_BENCH=OFF -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build build/package -j "$(nproc)"
cd build/package
cpack -G DEB
ls -1 "$PWD"/lumeno-kv580_*.deb

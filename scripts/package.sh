#!/usr/bin/env bash
# Builds the Debian package (build/package/hearvex_VERSION_ARCH.deb) and checks
# its desktop entry and AppStream metainfo. Install it with
#   sudo apt-get install ./build/package/hearvex_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/package -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DHEARVEX_BUILD_TESTS=OFF -DHEARVEX_BUILD_BENCH=OFF
cmake --build build/package -j"$(nproc)"
(cd build/package && cpack -G DEB)
deb=$(ls build/package/hearvex_*.deb)
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/*.metainfo.xml
desktop-file-validate "$unpacked/usr/share/applications/hearvex.desktop"
echo "$deb"

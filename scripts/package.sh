#!/usr/bin/env bash
# Builds the Debian package (build/package/hearvex_VERSION_ARCH.deb) with
# Debian's hardening flags, and checks it: its desktop entry, its AppStream
# metainfo and lintian (no error, no warning). Install it with
#   sudo apt-get install ./build/package/hearvex_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

# The compiler and linker flags Debian builds its packages with, every hardening
# feature included (stack protector, fortified functions, read-only relocations
# bound at start, position-independent executables).
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cppflags=$(dpkg-buildflags --get CPPFLAGS)
cflags="$(dpkg-buildflags --get CFLAGS) $cppflags"
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $cppflags"
ldflags=$(dpkg-buildflags --get LDFLAGS)

generator=""
[ -f build/package/CMakeCache.txt ] || generator="-GNinja"
cmake -S . -B build/package $generator -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DHEARVEX_BUILD_TESTS=OFF -DHEARVEX_BUILD_BENCH=OFF \
  -DCMAKE_C_FLAGS="$cflags" -DCMAKE_CXX_FLAGS="$cxxflags" \
  -DCMAKE_EXE_LINKER_FLAGS="$ldflags" -DCMAKE_SHARED_LINKER_FLAGS="$ldflags" \
  -DCMAKE_MODULE_LINKER_FLAGS="$ldflags"
cmake --build build/package -j"$(nproc)"
rm -f build/package/hearvex_*.deb
(cd build/package && cpack -G DEB)
deb=$(ls build/package/hearvex_*.deb)
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/*.metainfo.xml
desktop-file-validate "$unpacked/usr/share/applications/hearvex.desktop"
lintian --fail-on error,warning "$deb"
echo "$deb"

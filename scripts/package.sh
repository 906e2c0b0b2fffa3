#!/usr/bin/env bash
# Builds the Debian package build/quorvane_<version>_<arch>.deb: the two
# programs, their data, menu entry, icon, metainfo, manual pages and udev rule,
# with the dependencies computed from the binaries.
# An existing build/ keeps its options (tests and benchmarks are built but not
# packaged); a fresh one is configured for the programs alone.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/install-deps.sh "${PACKAGE_PACKAGES[@]}"

if [ -f build/CMakeCache.txt ]; then
  cmake -S . -B build -DCMAKE_BUILD_TYPE=Release > /dev/null
else
  cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DQUORVANE_BUILD_TESTS=OFF \
    -DQUORVANE_BUILD_BENCH=OFF > /dev/null
fi
cmake --build build -j"$(nproc)" --target quorvane quorvane-send quorvane_data \
  quorvane_compressed_docs
rm -f build/quorvane_*.deb
(cd build && cpack -G DEB > cpack.log) || { cat build/cpack.log; exit 1; }
ls build/quorvane_*.deb

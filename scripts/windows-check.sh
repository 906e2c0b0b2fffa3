#!/usr/bin/env bash
# Builds the engine and its Qt-free tests for 64-bit Windows with MinGW-w64,
# statically linked, and runs every test program under Wine in a Wine prefix
# made for this run alone (removed at the end). GoogleTest is built for the
# target from Debian's googletest sources, once per build folder.
# Where the packages cannot be installed the check is skipped with one line
# that says so, and the script succeeds.
# Usage: scripts/windows-check.sh [BUILD_DIR]   (build-windows by default)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

build=${1:-build-windows}
if ! scripts/install-deps.sh "${WINDOWS_PACKAGES[@]}"; then
  echo "windows-check: SKIPPED: the packages ${WINDOWS_PACKAGES[*]} could not be installed," \
       "so nothing was built or run for Windows"
  exit 0
fi
# Debian's wine64 package puts the loader outside the search path.
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
toolchain=$PWD/cmake/mingw-w64-x86_64.cmake
launcher=()
command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
started=$SECONDS

# GoogleTest for the target, from the source package.
gtest_prefix=$PWD/$build/googletest/install
if [ ! -f "$gtest_prefix/lib/cmake/GTest/GTestConfig.cmake" ]; then
  cmake -S /usr/src/googletest -B "$build/googletest/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$gtest_prefix" "${launcher[@]}" > /dev/null
  cmake --build "$build/googletest/build" -j2 > /dev/null
  cmake --install "$build/googletest/build" > /dev/null
fi

# Of the configure's report only what the build leaves out.
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DQUORVANE_BUILD_UI=OFF -DQUORVANE_BUILD_TESTS=ON -DQUORVANE_BUILD_BENCH=OFF \
  -DGTest_DIR="$gtest_prefix/lib/cmake/GTest" -DCMAKE_CROSSCOMPILING_EMULATOR="$wine" \
  "${launcher[@]}" | { grep "not found" || true; }
cmake --build "$build" -j2
built=$SECONDS

# A fresh Wine prefix: nothing of an earlier run or of the user's own ~/.wine.
# No .NET or HTML engine is wanted (console programs only), so Wine does not
# offer to download them.
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/quorvane-wine.XXXXXX")
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# The Wine server keeps its socket in a folder named after the prefix's
# device and inode, under a /tmp/wine-XXXXXX of its own.
server=$(printf 'server-%x-%x' "$(stat -c %d "$WINEPREFIX")" "$(stat -c %i "$WINEPREFIX")")
cleanup() {
  "$wineserver" -k 2> /dev/null || true
  rm -rf "$WINEPREFIX"
  for folder in /tmp/wine-*/"$server"; do
    [ -d "$folder" ] || continue
    rm -rf "$folder"
    rmdir "$(dirname "$folder")" 2> /dev/null || true
  done
}
trap cleanup EXIT
# One Wine server for all the test programs, instead of one each. The
# services that wineboot starts stay with it, their output away from ctest,
# which would otherwise wait for them to close it after the first test.
"$wineserver" -p 60
"$wine" wineboot --init > /dev/null 2>&1
booted=$SECONDS

ctest --test-dir "$build" --output-on-failure --timeout 300
echo "windows-check: built in $((built - started)) s, Wine prefix made in $((booted - built)) s," \
     "tests ran in $((SECONDS - booted)) s"

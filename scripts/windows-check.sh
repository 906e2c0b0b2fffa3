#!/usr/bin/env bash
# Builds both programs and every test program for 64-bit Windows with
# MinGW-w64, against Qt 6 for the target (built once from Debian's source by
# scripts/windows-qt.sh and cached outside the clone), and runs the tests under
# Wine in a Wine prefix made for this run alone (removed at the end); the
# widget tests run on Qt's offscreen platform. GoogleTest is built for the
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
# A Linux path as the Windows programs under Wine name it.
winepath_of() { echo "Z:${1//\//\\}"; }

# GoogleTest for the target, from the source package.
gtest_prefix=$PWD/$build/googletest/install
if [ ! -f "$gtest_prefix/lib/cmake/GTest/GTestConfig.cmake" ]; then
  cmake -S /usr/src/googletest -B "$build/googletest/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$gtest_prefix" "${launcher[@]}" > /dev/null
  cmake --build "$build/googletest/build" -j2 > /dev/null
  cmake --install "$build/googletest/build" > /dev/null
fi

# Qt 6 for the target: from the cache, or built into it first (it says how
# long that took).
scripts/windows-qt.sh
qt_prefix=$(scripts/windows-qt.sh --print-prefix)
qt_ready=$SECONDS

# Of the configure's report only what the build leaves out.
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DQUORVANE_BUILD_UI=ON -DQUORVANE_BUILD_TESTS=ON -DQUORVANE_BUILD_BENCH=OFF \
  -DCMAKE_PREFIX_PATH="$qt_prefix" -DGTest_DIR="$gtest_prefix/lib/cmake/GTest" \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$wine" \
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
# An X display for Wine, from the Wine server's start on: the test of the
# desktop's own calls and the zip's desktop program open real windows; the
# other tests run on the offscreen platform.
for display in $(seq 150 199); do
  [ -e /tmp/.X11-unix/X$display ] || [ -e /tmp/.X$display-lock ] || break
done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp > /dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$display"
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
cleanup() {
  "$wineserver" -k 2> /dev/null || true
  kill "$xvfb" 2> /dev/null || true
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
# The programs find Qt's DLLs on the path, and Qt its plugins beside them.
# Wine hands no QT_ variable of this shell on to a Windows program, so the
# offscreen platform, the fonts it draws with and the logging are set in the
# prefix.
export WINEPATH="$(winepath_of "$qt_prefix/bin")"
"$wine" reg add 'HKCU\Environment' /v QT_QPA_PLATFORM /d offscreen /f > /dev/null 2>&1
"$wine" reg add 'HKCU\Environment' /v QT_QPA_FONTDIR /d 'Z:\usr\share\fonts\truetype\dejavu' /f \
  > /dev/null 2>&1
# QtTest writes to a debugger, not to standard output, where it sees no
# console window, as under Wine with the output taken by ctest.
"$wine" reg add 'HKCU\Environment' /v QT_FORCE_STDERR_LOGGING /d 1 /f > /dev/null 2>&1
booted=$SECONDS

status=0
ctest --test-dir "$build" --output-on-failure --timeout 120 | tee "$build/ctest.log" || status=1
tests_ran=$SECONDS
failed=$(sed -n '/The following tests FAILED:/,$ s/^[[:space:]]*[0-9]* - \([^ ]*\) (.*/\1/p' "$build/ctest.log")
[ -z "$failed" ] || echo "windows-check: FAILED under Wine:" $failed

# The zip a Windows user unpacks, tried as one: unpacked into an empty folder
# whose name is not ASCII, run from there with nothing else on the path and
# without the prefix's offscreen setting; quorvane-send sends the bytes the
# Linux build sends, and the desktop program draws its window.
scripts/windows-zip.sh > "$build/zip.log"
unpacked=$(mktemp -d "${TMPDIR:-/tmp}/quorvane-zip.XXXXXX")
mkdir "$unpacked/Prüfung"
zip_file=$PWD/build/quorvane-0.9-windows-x86_64.zip
(cd "$unpacked/Prüfung" && cmake -E tar xf "$zip_file")
folder=$unpacked/Prüfung/quorvane-0.9-windows-x86_64
cp data/images/lcd_1.bmp "$folder/Bild-ä.bmp"
"$wine" reg delete 'HKCU\Environment' /v QT_QPA_PLATFORM /f > /dev/null 2>&1
zip_status=0
actions=(--port sim --virtual-time --reset --command "33, 200, 0x05" --image)
build/bin/quorvane-send "${actions[@]}" "$folder/Bild-ä.bmp" --trace "$unpacked/linux.csv" \
  > /dev/null || zip_status=1
(cd "$folder" && env -u WINEPATH "$wine" quorvane-send.exe "${actions[@]}" 'Bild-ä.bmp' \
  --trace windows.csv > windows.out 2>&1) || zip_status=1
cmp -s "$unpacked/linux.csv" "$folder/windows.csv" || zip_status=1
(cd "$folder" && env -u WINEPATH "$wine" quorvane.exe --port sim \
  --screenshot window.png > screenshot.out 2>&1) || zip_status=1
[ -s "$folder/window.png" ] || zip_status=1
if [ "$zip_status" = 0 ]; then
  echo "windows-check: the zip unpacked into $unpacked/Prüfung: quorvane-send.exe sent the" \
       "$(($(wc -l < "$folder/windows.csv") - 1)) writes of the Linux build, quorvane.exe drew its window"
  rm -rf "$unpacked"
else
  echo "windows-check: the zip FAILED (in $folder): quorvane-send.exe said"
  cat "$folder/windows.out" "$folder/screenshot.out" 2> /dev/null || true
  diff "$unpacked/linux.csv" "$folder/windows.csv" | head -5 || true
  status=1
fi

ran=$(grep -c 'Test *#' "$build/ctest.log" || true)
passed=$(grep -c 'Test *#.* Passed' "$build/ctest.log" || true)
echo "windows-check: $ran Windows test programs ran, $passed passed;" \
     "Qt for the target ready in $((qt_ready - started)) s, built in $((built - qt_ready)) s," \
     "Wine prefix made in $((booted - built)) s, tests ran in $((tests_ran - booted)) s," \
     "the zip made and tried in $((SECONDS - tests_ran)) s"
exit "$status"

#!/usr/bin/env bash
# Makes build/quorvane-0.9-windows-x86_64.zip, a folder a Windows user unpacks
# and runs: both programs built for 64-bit Windows against Qt for the target
# (scripts/windows-qt.sh), the Qt libraries and the plugins they load, the
# standard events and the demo pictures, the DejaVu fonts, a short text on the
# inpout32 driver, and the licences of Quorvane and of what the folder bundles. The compiler's
# run-time libraries are linked into the programs and Qt's DLLs, so no DLL of
# them goes along; their licence does.
# Usage: scripts/windows-zip.sh [BUILD_DIR]   (build-windows-zip by default)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/install-deps.sh "${WINDOWS_PACKAGES[@]}" "${WINDOWS_QT_PACKAGES[@]}"

build=${1:-build-windows-zip}
name=quorvane-0.9-windows-x86_64
zip=$PWD/build/$name.zip
scripts/windows-qt.sh
qt=$(scripts/windows-qt.sh --print-prefix)
launcher=()
command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$qt" -DQUORVANE_BUILD_UI=ON \
  -DQUORVANE_BUILD_TESTS=OFF -DQUORVANE_BUILD_BENCH=OFF "${launcher[@]}" > /dev/null
cmake --build "$build" -j2 --target quorvane quorvane-send

# Windows' own tools read LF alone, but CR LF is what a Windows text is.
crlf() { sed 's/\r$//; s/$/\r/' "$1" > "$2"; }

stage=$build/$name
rm -rf "$stage"
mkdir -p "$stage"/plugins/{platforms,imageformats,styles} "$stage"/{images,fonts,licenses}
for program in quorvane quorvane-send; do
  x86_64-w64-mingw32-strip -o "$stage/$program.exe" "$build/bin/$program.exe"
done
cp "$qt"/bin/Qt6{Core,Gui,Widgets}.dll "$stage/"
# Qt takes the folder of Qt6Core.dll as its prefix and finds plugins\ there.
cp "$qt/plugins/platforms/qwindows.dll" "$stage/plugins/platforms/"
cp "$qt/plugins/imageformats/qjpeg.dll" "$stage/plugins/imageformats/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$stage/plugins/styles/"
cp data/0.evnt data/1.evnt data/2.evnt "$stage/"
cp data/images/*.bmp "$stage/images/"
# The programs' fonts, which Windows lacks: the desktop program loads them from
# fonts\ beside it.
dejavu=/usr/share/fonts/truetype/dejavu
cp "$dejavu"/DejaVuSans{,-Bold,Condensed,Condensed-Bold}.ttf "$stage/fonts/"
crlf packaging/windows/README.txt "$stage/README.txt"
crlf COPYING "$stage/COPYING.txt"
crlf /usr/share/common-licenses/LGPL-3 "$stage/licenses/Qt-LGPL-3.0.txt"
crlf /usr/share/common-licenses/GPL-3 "$stage/licenses/GPL-3.0.txt"
crlf /usr/share/doc/libqt6core6/copyright "$stage/licenses/Qt-copyright.txt"
crlf /usr/share/doc/fonts-dejavu-core/copyright "$stage/licenses/DejaVu-fonts.txt"
{
  cat packaging/windows/Qt-SOURCE.txt
  echo
  scripts/windows-qt.sh --print-options | sed 's/^/    /'
} > "$build/Qt-SOURCE.txt"
crlf "$build/Qt-SOURCE.txt" "$stage/licenses/Qt-SOURCE.txt"
# libstdc++, libgcc and winpthreads (GPL 3 with the GCC Runtime Library
# Exception, and MIT), and the MinGW-w64 run-time's start-up code.
crlf /usr/share/doc/gcc-mingw-w64-base/copyright "$stage/licenses/GCC-runtime.txt"
crlf /usr/share/doc/mingw-w64-common/copyright "$stage/licenses/MinGW-w64-runtime.txt"

rm -f "$zip"
mkdir -p "$(dirname "$zip")"
(cd "$build" && cmake -E tar cf "$zip" --format=zip "$name")
echo "windows-zip: $zip ($(du -k "$zip" | cut -f1) KiB)"

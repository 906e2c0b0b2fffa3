#!/usr/bin/env bash
# Builds Qt 6 (Core, Gui, Widgets, Test and the windows and offscreen platform
# plugins) for 64-bit Windows with MinGW-w64 from Debian's qt6-base source
# package, and installs it into a cache outside the clone that later runs and
# other clones on this machine reuse. A stamp, written last, marks a finished
# install; with it the script does nothing. Without it (first run, or an
# interrupted one) the build is resumed where its scratch folder still is, and
# redone otherwise.
# Usage: scripts/windows-qt.sh [--keep] [--print-prefix] [--print-options]
#   --keep           keep the source and build folders after the install
#   --print-prefix   print the install folder and end, building nothing
#   --print-options  print the configure options, one a line, and end
# QUORVANE_CACHE chooses the cache (default $XDG_CACHE_HOME/quorvane).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

# The source package is pinned: its version names the install folder, and the
# build machine's moc, rcc and uic (qt6-base-dev) come from the same source.
qt_version=6.4.2
source_version=$qt_version+dfsg-10
cache=${QUORVANE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quorvane}
prefix=$cache/qt-$source_version-mingw-w64
work=$prefix.work
stamp=$prefix/quorvane-qt.stamp

keep=0
print_options=0
for argument in "$@"; do
  case $argument in
    --keep) keep=1 ;;
    --print-prefix) echo "$prefix"; exit 0 ;;
    --print-options) print_options=1 ;;
    *) echo "windows-qt: unknown option $argument" >&2; exit 2 ;;
  esac
done

# Every feature this build leaves out, and why. A change here or in the
# toolchain file's settings (its comments aside) changes the stamp, so the next
# run builds again.
options=(
  -G Ninja -DCMAKE_BUILD_TYPE=Release
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
  # The build machine's Qt of the same version runs moc, rcc and uic.
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  # Qt's own copies: the MinGW-w64 root has none of these libraries.
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
  -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF
  -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_libb2=OFF
  -DFEATURE_zstd=OFF -DFEATURE_icu=OFF
  # Debian's source leaves out src/3rdparty/wintab (its licence forbids
  # changes), which the windows plugin's tablet support includes.
  -DFEATURE_tabletevent=OFF
  # No OpenGL: the programs paint with the raster engine.
  -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF -DFEATURE_vulkan=OFF
  # Modules the programs do not use.
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF
  -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
  # Pictures are bitmaps and JPEG (read) and PNG (screenshots); the rest is not read.
  -DFEATURE_gif=OFF -DFEATURE_ico=OFF
  # The windows plugin serves the programs; the Direct2D one is a second of its kind.
  # Without Direct2D, Qt Gui leaves out the DirectWrite 3 font database that the
  # windows plugin still calls (an undefined reference when it is linked), so
  # that goes too; GDI's font database stays the default.
  -DFEATURE_direct2d=OFF -DFEATURE_directwrite3=OFF
  # Debian's cross.patch turns the Android deployment tool on for cross builds.
  -DFEATURE_androiddeployqt=OFF
)
if [ "$print_options" = 1 ]; then
  printf '%s\n' "${options[@]}"
  exit 0
fi
toolchain=$PWD/cmake/mingw-w64-x86_64.cmake
settings=$(grep -v '^[[:space:]]*\(#\|$\)' "$toolchain" | sha256sum | cut -c1-16)
fingerprint="qt6-base $source_version toolchain $settings ${options[*]}"

mkdir -p "$cache"
# One build at a time per cache: a second run waits for the first and then
# finds its stamp.
exec 9> "$prefix.lock"
if ! flock -w 5400 9; then
  echo "windows-qt: another build of $prefix held the lock for 90 min; giving up" >&2
  exit 1
fi
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$fingerprint" ]; then
  echo "windows-qt: Qt $qt_version for MinGW-w64 is ready in $prefix"
  exit 0
fi

# timeout runs its command in a process group of its own, which a Ctrl+C or a
# kill of this script does not reach; so each long step runs in the
# background and its group is stopped when the script ends before it.
running=""
trap '[ -z "$running" ] || kill -TERM -- "-$running" 2> /dev/null || true' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP
bounded() {
  timeout "$@" &
  running=$!
  local status=0
  wait "$running" || status=$?
  running=""
  return "$status"
}

started=$SECONDS
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
scripts/install-deps.sh "${WINDOWS_QT_PACKAGES[@]}"
host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
if [ "${host_version%%+*}" != "$qt_version" ]; then
  echo "windows-qt: qt6-base-dev is $host_version; its moc, rcc and uic must be Qt $qt_version" >&2
  exit 1
fi

has_source() {
  apt-cache showsrc --only-source qt6-base 2> /dev/null | grep -qx "Version: $source_version"
}
# deb-src entries beside the machine's Debian deb entries (deb822 files), in a
# file of their own: the same archives, suites, components and keys.
deb_src_list=/etc/apt/sources.list.d/quorvane-deb-src.sources
if ! has_source; then
  entries=$(find /etc/apt/sources.list.d -maxdepth 1 -name '*.sources' ! -name "${deb_src_list##*/}" \
    -exec cat {} + | perl -e '
      local $/ = "";
      while (my $stanza = <>) {
        my @lines = grep { !/^#/ } split /\n/, $stanza;
        my %field;
        /^(\S+?):\s*(.*)$/ and $field{lc $1} = $2 for @lines;
        next unless ($field{types} // "") =~ /(^|\s)deb(\s|$)/;
        next unless ($field{uris} // "") =~ /debian/;
        next if ($field{enabled} // "yes") =~ /^no$/i;
        print "Types: deb-src\n", map({ "$_\n" } grep { !/^(Types|Enabled):/i } @lines), "\n";
      }')
  if [ -z "$entries" ]; then
    echo "windows-qt: no Debian deb entry in /etc/apt/sources.list.d/*.sources to add deb-src for" >&2
    exit 1
  fi
  echo "windows-qt: adding deb-src entries in $deb_src_list"
  printf '%s\n' "$entries" | $sudo tee "$deb_src_list" > /dev/null
  $sudo apt-get -o DPkg::Lock::Timeout=900 update -qq
  if ! has_source; then
    echo "windows-qt: Debian's archive offers no qt6-base $source_version source" >&2
    exit 1
  fi
fi

# The source, unpacked with Debian's patches; a marker says the unpacking ended.
source_dir=$work/src/qt6-base-${source_version%-*}
if [ ! -f "$source_dir/.quorvane-unpacked" ]; then
  rm -rf "$work/src"
  mkdir -p "$work/src"
  echo "windows-qt: fetching qt6-base $source_version from Debian's archive"
  if ! bounded 30m env -C "$work/src" apt-get source -q "qt6-base=$source_version" > "$work/source.log" 2>&1; then
    tail -n 20 "$work/source.log" >&2
    exit 1
  fi
  touch "$source_dir/.quorvane-unpacked"
fi

# A build folder configured before is configured again in place when the
# options change, which keeps what is built; one whose options were taken out
# (they would stay in its cache) or whose toolchain settings changed (CMake
# reads them on the first configure only) starts again.
build=$work/build
printf '%s\n' "toolchain $settings" "${options[@]}" > "$work/options"
dropped() {
  comm -23 <(sed -n 's/^\(-D[^=]*\)=.*/\1/p' "$1" | sort) <(sed -n 's/^\(-D[^=]*\)=.*/\1/p' "$2" | sort)
}
if [ ! -f "$build/build.ninja" ] || [ ! -f "$build/quorvane-options" ] ||
   [ "$(head -n 1 "$build/quorvane-options")" != "toolchain $settings" ] ||
   [ -n "$(dropped "$build/quorvane-options" "$work/options")" ]; then
  rm -rf "$build"
fi
if ! cmp -s "$build/quorvane-options" "$work/options"; then
  mkdir -p "$build"
  echo "windows-qt: configuring, report in $work/configure.log"
  if ! bounded 30m nice -n 19 cmake -S "$source_dir" -B "$build" \
      -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
      -DCMAKE_INSTALL_PREFIX="$prefix" "${options[@]}" > "$work/configure.log" 2>&1; then
    tail -n 40 "$work/configure.log" >&2
    exit 1
  fi
  cp "$work/options" "$build/quorvane-options"
fi

echo "windows-qt: building Qt $qt_version for MinGW-w64 (nice -n 19, 2 jobs), log in $work/build.log"
if ! bounded 4h nice -n 19 cmake --build "$build" --parallel 2 > "$work/build.log" 2>&1; then
  grep -E '^FAILED:|error:|undefined reference' "$work/build.log" | cut -c1-300 | head -n 30 >&2
  echo "windows-qt: the build failed; a rerun resumes it (log in $work/build.log)" >&2
  exit 1
fi

# A half-done install of an interrupted run goes first.
rm -rf "$prefix"
# Stripped: the DLLs go into the programs' zip.
if ! bounded 30m nice -n 19 cmake --install "$build" --strip > "$work/install.log" 2>&1; then
  tail -n 20 "$work/install.log" >&2
  exit 1
fi
echo "$fingerprint" > "$stamp"
[ "$keep" -eq 1 ] || rm -rf "$work"
echo "windows-qt: built Qt $qt_version for MinGW-w64 in $(((SECONDS - started + 30) / 60)) min, in $prefix"

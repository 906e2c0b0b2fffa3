# The Debian packages each command needs (sourced by run.sh and test.sh).
BUILD_PACKAGES=(cmake make g++ pkg-config qt6-base-dev libftdi1-dev libgpiod-dev fonts-dejavu-core fonts-dejavu-extra)
# The Debian package: dpkg-shlibdeps (dpkg-dev, file) computes its dependencies.
PACKAGE_PACKAGES=("${BUILD_PACKAGES[@]}" dpkg-dev file gzip)
# The tests also check the package: its menu entry, metainfo, manual pages and
# lintian's verdict.
TEST_PACKAGES=("${PACKAGE_PACKAGES[@]}" libgtest-dev libgmock-dev libbenchmark-dev sigrok-cli
               lintian desktop-file-utils appstream man-db)
# The fuzz targets are built by clang with its libFuzzer and sanitizer runtimes.
FUZZ_PACKAGES=(cmake make clang libclang-rt-14-dev qt6-base-dev)
# Both programs and their tests built for 64-bit Windows and run under Wine
# (scripts/windows-check.sh): GoogleTest is built for the target from the
# googletest source package; Xvfb gives Wine a display for the test of the
# platform's own windows, and DejaVu the fonts of the offscreen platform and
# of the zip.
WINDOWS_PACKAGES=(cmake make g++-mingw-w64-x86-64-posix wine64 googletest xvfb fonts-dejavu-core
                  fonts-dejavu-extra)
# Qt 6 for 64-bit Windows built from Debian's qt6-base source package
# (scripts/windows-qt.sh): dpkg-dev unpacks the source, qt6-base-dev gives the
# build machine's moc, rcc and uic of the same Qt version, perl runs syncqt.
WINDOWS_QT_PACKAGES=(cmake ninja-build dpkg-dev xz-utils g++-mingw-w64-x86-64-posix qt6-base-dev perl)

# The Debian packages each command needs (sourced by run.sh and test.sh).
BUILD_PACKAGES=(cmake make g++ pkg-config qt6-base-dev libftdi1-dev libgpiod-dev fonts-dejavu-core fonts-dejavu-extra)
TEST_PACKAGES=("${BUILD_PACKAGES[@]}" libgtest-dev libgmock-dev libbenchmark-dev sigrok-cli)
# The fuzz targets are built by clang with its libFuzzer and sanitizer runtimes.
FUZZ_PACKAGES=(cmake make clang libclang-rt-14-dev qt6-base-dev)

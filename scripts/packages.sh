# The Debian packages each command needs (sourced by run.sh and test.sh).
BUILD_PACKAGES=(cmake make g++ qt6-base-dev fonts-dejavu-core fonts-dejavu-extra)
TEST_PACKAGES=("${BUILD_PACKAGES[@]}" libgtest-dev libgmock-dev libbenchmark-dev)

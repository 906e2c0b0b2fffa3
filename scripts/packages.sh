# The Debian packages each command needs (sourced by run.sh and test.sh).
BUILD_PACKAGES=(cmake make g++)
TEST_PACKAGES=("${BUILD_PACKAGES[@]}" libgtest-dev libgmock-dev libbenchmark-dev)

#!/usr/bin/env bash
# Builds the whole test suite with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/install-deps.sh "${TEST_PACKAGES[@]}"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVANE_SANITIZE=ON \
  -DQUORVANE_BUILD_TESTS=ON -DQUORVANE_BUILD_BENCH=OFF > /dev/null
cmake --build build-asan -j"$(nproc)"
# Leaks inside the system's font and graphics libraries are not ours.
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizer-suppressions.txt:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir build-asan --output-on-failure

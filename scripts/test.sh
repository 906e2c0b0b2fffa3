#!/usr/bin/env bash
# Builds everything (programs, tests, benchmarks) and runs the test suites;
# builds the Debian package and checks it; then the same suites built with
# AddressSanitizer and UndefinedBehaviorSanitizer, and a bounded fuzzing run of
# every fuzz target; last the engine's tests built for Windows and run under
# Wine.
# Usage: scripts/test.sh [--quick]   (--quick: without the sanitizer and
# fuzzing runs)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/install-deps.sh "${TEST_PACKAGES[@]}"

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DQUORVANE_BUILD_TESTS=ON -DQUORVANE_BUILD_BENCH=ON
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure

# The Debian package, built and checked as a user gets it.
scripts/package.sh
scripts/check-package.sh

if [ "${1:-}" != "--quick" ]; then
  scripts/sanitize.sh
  scripts/fuzz.sh 30
fi

# The engine and its Qt-free tests for 64-bit Windows, under Wine.
scripts/windows-check.sh

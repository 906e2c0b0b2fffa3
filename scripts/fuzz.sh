#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer), replays the corpus of each and fuzzes each for a
# bounded time. Any crash, hang, leak or sanitizer report fails the run.
# Usage: scripts/fuzz.sh [SECONDS_PER_TARGET]   (default 30)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
source scripts/packages.sh
scripts/install-deps.sh "${FUZZ_PACKAGES[@]}"

cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DQUORVANE_BUILD_FUZZ=ON -DQUORVANE_BUILD_TESTS=OFF -DQUORVANE_BUILD_BENCH=OFF \
  -DQUORVANE_BUILD_UI=OFF > /dev/null
targets=(FuzzEventFile FuzzInterpreter FuzzNumberReading FuzzPictureScan FuzzPopValue FuzzValueList)
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for target in "${targets[@]}"; do
  corpus="tests/fuzz/corpus/$target"
  # New inputs go to a scratch folder; the committed corpus stays as it is.
  mkdir -p "$work/$target"
  echo "== $target: replaying $(ls "$corpus" | wc -l) inputs, then fuzzing ${seconds} s"
  build-fuzz/tests/fuzz/"$target" -runs=0 "$corpus" 2>&1 | tail -n 1
  build-fuzz/tests/fuzz/"$target" "$work/$target" "$corpus" -max_total_time="$seconds" \
    -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$work/$target-" -print_final_stats=0 \
    2>&1 | tail -n 1
done
echo "fuzzing: ${#targets[@]} passed, 0 failed"

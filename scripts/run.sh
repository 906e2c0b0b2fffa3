#!/usr/bin/env bash
# Builds the programs and runs quorvane-send with the shipped standard events:
# start-up, reset, then the default init sequence, commands and data.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/install-deps.sh "${BUILD_PACKAGES[@]}"

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DQUORVANE_BUILD_TESTS=OFF -DQUORVANE_BUILD_BENCH=OFF
cmake --build build -j"$(nproc)" --target quorvane-send

build/bin/quorvane-send --trace build/last-run.csv \
  --startup --reset \
  --init "33, 200, 5, 21, 32, 9, #500, 8, #500, 13" \
  --command "33, 255, 6, 19, 32, 12" \
  --data "33, 197, 6, 19, 32, 12" \
  "$@"

#!/usr/bin/env bash
# Builds the programs and opens the desktop workbench. Without a display it
# says how to run it, and shows the headless front at work instead:
# quorvane-send with the shipped standard events.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/install-deps.sh "${BUILD_PACKAGES[@]}"

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DQUORVANE_BUILD_TESTS=OFF -DQUORVANE_BUILD_BENCH=OFF
cmake --build build -j"$(nproc)" --target quorvane quorvane-send

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/bin/quorvane "$@"
fi

cat <<'TXT'
No display here, so the desktop program cannot open its window.
On a desktop run:            build/bin/quorvane
Under a virtual display:     sudo apt-get install xvfb && xvfb-run -a build/bin/quorvane
A picture of the window:     build/bin/quorvane --port sim --screenshot window.png

Meanwhile, the headless front with the standard events:
TXT
build/bin/quorvane-send --trace build/last-run.csv \
  --startup --reset \
  --init "33, 200, 5, 21, 32, 9, #500, 8, #500, 13" \
  --command "33, 255, 6, 19, 32, 12" \
  --data "33, 197, 6, 19, 32, 12"

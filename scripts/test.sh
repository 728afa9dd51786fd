#!/bin/bash
# Builds Lumaro and runs every test: unit, end-to-end and GUI (the GUI tests
# run under a private Xvfb display started here).
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh

BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD_DIR" -j2

# GUI tests are marked RUN_SERIAL, so they never share the display at once.
xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --test-dir "$BUILD_DIR" --output-on-failure -j2

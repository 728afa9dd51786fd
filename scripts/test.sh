#!/bin/bash
# Builds Lumaro and runs every test:
#  1. unit, end-to-end and GUI tests (the GUI tests run under a private Xvfb
#     display started here);
#  2. the unit and end-to-end tests again, built with AddressSanitizer and
#     UndefinedBehaviorSanitizer;
#  3. every fuzz target for a short time (scripts/fuzz.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh

BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD_DIR" -j2
# GUI tests are marked RUN_SERIAL, so they never share the display at once.
xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --test-dir "$BUILD_DIR" --output-on-failure -j2

ASAN_DIR=${ASAN_BUILD_DIR:-build-asan}
cmake -S . -B "$ASAN_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMARO_SANITIZE=ON \
  -DLUMARO_BUILD_GUI=OFF -DLUMARO_BUILD_BENCH=OFF
cmake --build "$ASAN_DIR" -j2
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$ASAN_DIR" --output-on-failure -j2

./scripts/fuzz.sh "${FUZZ_SECONDS:-15}"

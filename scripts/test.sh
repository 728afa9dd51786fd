#!/bin/bash
# Builds Lumaro and runs every test:
#  1. unit, end-to-end and GUI tests (the GUI tests run under a private Xvfb
#     display started here);
#  2. the unit and end-to-end tests again, built with AddressSanitizer and
#     UndefinedBehaviorSanitizer;
#  3. the Debian package: built, checked by lintian, unpacked into a scratch
#     root and run from there (scripts/check-package.sh);
#  4. every fuzz target for a short time (scripts/fuzz.sh).
# Every build compiles with -Wall -Wextra -Werror: a warning fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh

BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMARO_WERROR=ON
cmake --build "$BUILD_DIR" -j2
# GUI tests are marked RUN_SERIAL, so they never share the display at once.
xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --test-dir "$BUILD_DIR" --output-on-failure -j2
./scripts/check-package.sh "$BUILD_DIR"

# The engine again, built with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer: the unit tests in one process, the end-to-end
# tests (but the long kill test, run above), then a short fuzzing run of
# every parser on the same build.
ASAN_DIR=${ASAN_BUILD_DIR:-build-asan}
CC=clang CXX=clang++ cmake -S . -B "$ASAN_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMARO_FUZZ=ON -DLUMARO_WERROR=ON
cmake --build "$ASAN_DIR" -j2
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
"$ASAN_DIR/tests/unit_tests"
ctest --test-dir "$ASAN_DIR" --output-on-failure -j2 -L e2e -E 'kill_while_saving|gui_screenshot'
LUMARO_WERROR=ON FUZZ_BUILD_DIR="$ASAN_DIR" ./scripts/fuzz.sh "${FUZZ_SECONDS:-15}"

#!/bin/bash
# Builds Lumaro and runs every test:
#  1. unit, end-to-end and GUI tests (the GUI tests run under a private Xvfb
#     display started here);
#  2. the unit and end-to-end tests again, built with AddressSanitizer and
#     UndefinedBehaviorSanitizer;
#  3. the Debian package: built, checked by lintian, unpacked into a scratch
#     root and run from there (scripts/check-package.sh);
#  4. every fuzz target for a short time (scripts/fuzz.sh);
#  5. the size of the tests against the program (scripts/test-budget.sh):
#     the run fails when the tests outgrow their budget.
# Every build compiles with -Wall -Wextra -Werror: a warning fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh

# ccache, where installed, makes a second run cheap.
LAUNCHER=()
command -v ccache > /dev/null && LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMARO_WERROR=ON "${LAUNCHER[@]}"
cmake --build "$BUILD_DIR" -j2
# GUI tests are marked RUN_SERIAL, so they never share the display at once.
xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --test-dir "$BUILD_DIR" --output-on-failure -j2
./scripts/check-package.sh "$BUILD_DIR"

# The engine again, built with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer: the unit tests in one process, the end-to-end
# tests that run the programs' C++ (not the long kill test, run above, nor
# the checks of scripts, documents and the package), then a short fuzzing
# run of every parser on the same build. Neither GUI nor benchmarks are
# built there: the GUI tests ran above.
ASAN_DIR=${ASAN_BUILD_DIR:-build-asan}
CC=clang CXX=clang++ cmake -S . -B "$ASAN_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMARO_FUZZ=ON -DLUMARO_WERROR=ON \
  -DLUMARO_BUILD_GUI=OFF -DLUMARO_BUILD_BENCH=OFF "${LAUNCHER[@]}"
cmake --build "$ASAN_DIR" -j2
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
"$ASAN_DIR/tests/unit_tests" --gtest_brief=1
ctest --test-dir "$ASAN_DIR" --output-on-failure -j2 -L e2e \
  -E 'kill_while_saving|gui_screenshot|install|print_cups|layout_check|translations_check|help_options'
LUMARO_WERROR=ON FUZZ_BUILD_DIR="$ASAN_DIR" ./scripts/fuzz.sh "${FUZZ_SECONDS:-8}"

./scripts/test-budget.sh

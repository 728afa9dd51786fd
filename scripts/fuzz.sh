#!/bin/bash
# Builds every fuzz target with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer and runs each for SECONDS on a copy of its seed
# corpus (tests/fuzz/corpus/<target>). One line per target: name,
# executions, result. Exit status 1 when any target found something (its
# input is kept under <build>/fuzz-findings/<target>/).
#
#   scripts/fuzz.sh SECONDS [TARGET...]
# LUMARO_WERROR=ON in the environment makes compiler warnings errors.
set -u
cd "$(dirname "$0")/.."

SECONDS_PER_TARGET=${1:?usage: scripts/fuzz.sh SECONDS [TARGET...]}
shift
BUILD=${FUZZ_BUILD_DIR:-build-fuzz}

if ! CC=clang CXX=clang++ cmake -S . -B "$BUILD" -DLUMARO_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DLUMARO_WERROR="${LUMARO_WERROR:-OFF}" > "$BUILD.configure.log" 2>&1; then
  cat "$BUILD.configure.log" >&2
  exit 2
fi
if ! cmake --build "$BUILD" -j2 > "$BUILD.build.log" 2>&1; then
  tail -40 "$BUILD.build.log" >&2
  exit 2
fi

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for src in tests/fuzz/fuzz_*.cpp; do targets+=("$(basename "$src" .cpp)"); done
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=0:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
failed=0
printf '%-26s %14s  %s\n' "target" "executions" "result"
for t in "${targets[@]}"; do
  exe="$BUILD/tests/fuzz/$t"
  if [ ! -x "$exe" ]; then
    printf '%-26s %14s  %s\n' "$t" "-" "MISSING"
    failed=1
    continue
  fi
  work=$(mktemp -d "${TMPDIR:-/tmp}/lumaro-fuzz-corpus.XXXXXX")
  [ -d "tests/fuzz/corpus/$t" ] && cp -r "tests/fuzz/corpus/$t/." "$work/"
  findings="$BUILD/fuzz-findings/$t"
  mkdir -p "$findings"
  log="$BUILD/fuzz-$t.log"
  "$exe" "$work" -max_total_time="$SECONDS_PER_TARGET" -timeout=25 -print_final_stats=1 \
    -artifact_prefix="$findings/" < /dev/null > "$log" 2>&1
  status=$?
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
  if [ $status -eq 0 ]; then
    result="ok"
  else
    result="FINDING (exit $status): $(grep -m1 -E 'ERROR:|runtime error|deadly signal|timeout|out-of-memory' "$log" | cut -c1-120)"
    failed=1
  fi
  printf '%-26s %14s  %s\n' "$t" "${runs:-?}" "$result"
  rm -rf "$work"
done
exit $failed

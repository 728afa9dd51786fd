#!/bin/bash
# lumaro-cli times against the candle-lighting, havdalah, fast, Khanukka and khamets times of 27 cities
# over 2025 and 2026 as the npm package @hebcal/core computes them (tests/data/times_reference.tsv,
# written by scripts/make-times-reference.mjs), compared by lib/times_reference_check.py.
source "$(dirname "$0")/lib/common.sh"
python3 "$(dirname "$0")/lib/times_reference_check.py" "$LUMARO_CLI" "$LUMARO_SOURCE_DIR/data/cities" \
  "$LUMARO_TEST_DATADIR/times_reference.tsv" 2>&1 || fail "the times differ from the independent data"
finish

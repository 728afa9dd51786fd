#!/bin/bash
# The precise times of Fairbanks, Anchorage, Reykjavik, Helsinki, Tromso and Murmansk over 2026 and 2027 (white
# nights, polar days and nights, times after midnight) against the npm package kosher-zmanim
# (tests/data/northern_reference.tsv, written by scripts/make-northern-reference.mjs), compared by
# lib/northern_times_check.py.
source "$(dirname "$0")/lib/common.sh"
python3 "$(dirname "$0")/lib/northern_times_check.py" "$LUMARO_CLI" "$LUMARO_SOURCE_DIR/data/cities" \
  "$LUMARO_TEST_DATADIR/northern_reference.tsv" 2>&1 || fail "the times differ from the independent data"
finish

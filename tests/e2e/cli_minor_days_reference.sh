#!/bin/bash
# lumaro-cli minor-days and times against the dates of Yom Kippur Katan, BeHaB, Taanit Bekhorot and
# Birkat HaChama 1900-2100 and the Kiddush Levana times of 12 cities over ten years, as the npm package
# @hebcal/core gives them (written by scripts/make-minor-days-reference.mjs).
source "$(dirname "$0")/lib/common.sh"
python3 "$(dirname "$0")/lib/minor_days_reference_check.py" "$LUMARO_CLI" "$LUMARO_SOURCE_DIR/data/cities" \
  "$LUMARO_TEST_DATADIR/minor_days_reference.tsv" "$LUMARO_TEST_DATADIR/kiddush_levana_reference.tsv" 2>&1 ||
  fail "the minor days differ from the independent data"
finish

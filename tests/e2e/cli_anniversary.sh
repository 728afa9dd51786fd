#!/bin/bash
# lumaro-cli anniversary: the date rules of anniversaries, birthdays and
# yortsayt, and the error exits.
source "$(dirname "$0")/lib/common.sh"

# expect_day NAME EXPECTED ARGS...
expect_day() {
  local name=$1 expected=$2
  shift 2
  local out
  out=$("$LUMARO_CLI" anniversary "$@")
  expect_eq "$name: exit status" 0 $?
  expect_eq "$name" "$expected" "$out"
}

# Expected values from an independent implementation of the same customs
# (@hebcal/hdate 0.22.8). Year shapes: 5771 Heshvan 30 days, 5772 Heshvan 29,
# 5773 Kislev 29, 5774 leap, 5775 and 5780 common.
expect_day "yortsayt 30 Heshvan, next Heshvan long" 1.9.5772 Y 30.8.5770 5772
expect_day "yortsayt 30 Heshvan, next Heshvan short" 29.8.5773 Y 30.8.5771 5773
expect_day "yortsayt 30 Kislev, next Kislev long" 1.10.5773 Y 30.9.5771 5773
expect_day "yortsayt 30 Kislev, next Kislev short" 30.9.5774 Y 30.9.5772 5774
expect_day "birthday in Adar of a common year, leap year" 10.13.5774 B 10.12.5772 5774
expect_day "yortsayt in Adar of a common year, leap year" 10.12.5774 Y 10.12.5772 5774
expect_day "Adar II in a common year" 10.12.5775 Y 10.13.5771 5775
# 30 Adar I 5774 (2 March 2014): 30 Shevat 5780 for a yortsayt, 1 Nisan for a birthday.
expect_day "yortsayt 30 Adar I, common year" 30.11.5780 Y 30.12.5774 5780
expect_day "birthday 30 Adar I, common year" 1.1.5780 B 30.12.5774 5780
expect_day "anniversary 30 Adar I, leap year" 30.12.5776 A 30.12.5774 5776
expect_day "ordinary day" 15.1.5785 A 15.1.5700 5785

# Global options are accepted and change nothing here.
out=$("$LUMARO_CLI" --israel --style 1 anniversary B 30.12.5774 5780)
expect_eq "with global options" 1.1.5780 "$out"

expect_usage_error "no arguments" anniversary
expect_usage_error "missing year" anniversary Y 30.8.5770
expect_usage_error "extra argument" anniversary Y 30.8.5770 5772 5773
expect_usage_error "bad type" anniversary X 30.8.5770 5772
expect_usage_error "not a date" anniversary Y yesterday 5772
expect_usage_error "two parts" anniversary Y 30.8 5772
expect_usage_error "month 14" anniversary Y 1.14.5770 5772
expect_usage_error "Adar II in a common year" anniversary Y 1.13.5772 5775
expect_usage_error "30 Heshvan in a short Heshvan" anniversary Y 30.8.5772 5775
expect_usage_error "event year too large" anniversary Y 1.1.10000 5772
expect_usage_error "wanted year not a number" anniversary Y 1.1.5770 next

finish

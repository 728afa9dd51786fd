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

# A few of the unit tests' cases, whose expected values come from an
# independent implementation of the same customs (@hebcal/hdate 0.22.8):
# 5772 has a 29-day Heshvan, 5774 is a leap year.
expect_day "yortsayt 30 Heshvan, next Heshvan short" 29.8.5773 Y 30.8.5771 5773
expect_day "birthday in Adar of a common year, leap year" 10.13.5774 B 10.12.5772 5774
# A birthday on 30 Adar I 5774 (2 March 2014) falls on 1 Nisan in a common year.
expect_day "birthday 30 Adar I, common year" 1.1.5780 B 30.12.5774 5780

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

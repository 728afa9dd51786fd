#!/bin/bash
# lumaro-cli dump: columns of the calendar arithmetic and the error exits.
source "$(dirname "$0")/lib/common.sh"

out=$("$LUMARO_CLI" dump 2024-10-02 2024-10-04)
expect_eq "dump exit status" 0 $?
header=$(printf '%s\n' "$out" | head -1)
expect_eq "header" "$(printf 'date\tabs\twd\thebrew\tholidays\tspecial_day\trosh_khodesh\tomer\tsections\tdaf_yomi\tyizkor\tshabbat_time')" "$header"
expect_eq "line count" 4 "$(printf '%s\n' "$out" | wc -l)"

# Thursday 3 October 2024 is 1 Tishri 5785, absolute day 739162; the day
# before is 29 Elul 5784.
line=$(printf '%s\n' "$out" | grep '^2024-10-03')
expect_eq "abs" 739162 "$(tsv_field "$line" 2)"
expect_eq "weekday" 4 "$(tsv_field "$line" 3)"
expect_eq "hebrew" 1.7.5785 "$(tsv_field "$line" 4)"
expect_eq "1 Tishri is not Rosh Khodesh" -1 "$(tsv_field "$line" 7)"
line=$(printf '%s\n' "$out" | grep '^2024-10-02')
expect_eq "erev Rosh HaShana" 29.6.5784 "$(tsv_field "$line" 4)"
expect_eq "twelve columns" 12 "$(printf '%s\n' "$line" | awk -F'\t' '{print NF}')"

# Known dates from a printed calendar: Pesakh 5785 began Sunday 13 April 2025
# (15 Nisan); Shavuot on 2 June 2025 (6 Sivan); 1 Adar II 5784 on 11 March 2024.
expect_eq "15 Nisan 5785" 15.1.5785 "$(tsv_field "$("$LUMARO_CLI" dump 2025-04-13 2025-04-13 | tail -1)" 4)"
line=$("$LUMARO_CLI" dump 2025-04-14 2025-04-14 | tail -1)
expect_eq "Omer day 1" 1 "$(tsv_field "$line" 8)"
line=$("$LUMARO_CLI" dump 2025-06-01 2025-06-02 | tail -2)
expect_eq "Omer day 49" 49 "$(tsv_field "$(printf '%s\n' "$line" | head -1)" 8)"
expect_eq "6 Sivan 5785" 6.3.5785 "$(tsv_field "$(printf '%s\n' "$line" | tail -1)" 4)"
line=$("$LUMARO_CLI" dump 2024-03-11 2024-03-11 | tail -1)
expect_eq "1 Adar II 5784" 1.13.5784 "$(tsv_field "$line" 4)"
expect_eq "second day of Rosh Khodesh" 2 "$(tsv_field "$line" 7)"

# The ends of the range.
expect_eq "first day" "1583-01-01" "$(tsv_field "$("$LUMARO_CLI" dump 1583-01-01 1583-01-01 | tail -1)" 1)"
expect_eq "last day" "3000-12-31" "$(tsv_field "$("$LUMARO_CLI" dump 3000-12-31 3000-12-31 | tail -1)" 1)"

# Global options are accepted before the command.
"$LUMARO_CLI" --israel --style 1 dump 2024-01-01 2024-01-01 > /dev/null || fail "global options"

# Usage errors: exit 2, one line on stderr, nothing on stdout.
expect_usage_error "no command"
expect_usage_error "unknown command" frobnicate
expect_usage_error "unknown option" --verbose dump 2024-01-01 2024-01-02
expect_usage_error "missing argument" dump 2024-01-01
expect_usage_error "malformed date" dump 2024-1-01 2024-01-02
expect_usage_error "no such day" dump 2023-02-29 2023-03-01
expect_usage_error "year before range" dump 1582-12-31 1583-01-01
expect_usage_error "FROM after TO" dump 2024-01-02 2024-01-01
expect_usage_error "bad style" --style 3 dump 2024-01-01 2024-01-01

finish

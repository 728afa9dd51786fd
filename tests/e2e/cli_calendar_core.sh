#!/bin/bash
# lumaro-cli: the holiday, section, Daf Yomi and Yizkor columns of dump and
# the molad command, against dates from printed calendars, for Israel and
# the Diaspora.
source "$(dirname "$0")/lib/common.sh"

# day OPTIONS... DATE: the dump line of one day.
day() {
  local date=${*: -1}
  "$LUMARO_CLI" "${@:1:$#-1}" dump "$date" "$date" | tail -1
}

# check NAME OPTION DATE COLUMN EXPECTED (columns: 5 holidays, 6 special_day,
# 9 sections, 10 daf_yomi, 11 yizkor)
check() {
  local line
  line=$(day $2 "$3")
  expect_eq "$1 ($2 $3)" "$5" "$(tsv_field "$line" "$4")"
}

I=--israel
D=--diaspora

# The holiday dates themselves are checked against reference data by the
# unit tests; these rows show each column and the Israel/Diaspora option.
# Rosh HaShana 5785: Thursday 3 October 2024; 1 Tishri is not Rosh Khodesh.
check "Rosh HaShana" $D 2024-10-03 5 0
check "Sukkot" $D 2024-10-17 6 "Sukkot I"
check "Sukkot" $I 2024-10-17 6 "Sukkot"
check "Yizkor on Shemini Atseret" $I 2024-10-24 11 1
check "no Yizkor on Pesakh VII abroad" $D 2025-04-19 11 0
check "Isru Khag" $I 2025-04-20 6 "Isru Khag"
# Khanukka 5785: 31 December 2024 is its sixth day and 30 Kislev.
check "Khanukka VI" $D 2024-12-31 6 "Khanukka VI, Rosh Khodesh"
# Shushan Purim 5785 (Shabbat 15 March 2025) is kept on Sunday by default.
check "Shushan Purim postponed" $D 2025-03-16 6 "Shushan Purim"
check "Shushan Purim not on Shabbat" $D 2025-03-15 6 ""
# Pesakh 5785 began Sunday 13 April 2025; Shabbat 12 April was Erev Pesakh.
check "Erev Pesakh" $D 2025-04-12 5 41,50
check "no Yom HaAtsmaut in 1948" $I 1948-05-13 5 ""

# Weekly sections. Bereshith 5785: Shabbat 26 October 2024.
check "Bereshith" $D 2024-10-26 9 0,1000,1000
check "no section on a Friday" $D 2024-10-25 9 ""
check "Vayakhel-Pekude, Hakhodesh (5781)" $D 2021-03-13 9 21,22,64
# 2012 (5772): Shabbat 14 April was the eighth day of Pesakh abroad; Israel
# read Shemini and then Behar and Behukkothai apart (12 and 19 May).
check "Behar-Behukkothai" $D 2012-05-19 9 31,32,1000
check "Behukkothai" $I 2012-05-19 9 32,1000,1000
check "back in step: Bemidbar" $I 2012-05-26 9 33,1000,1000

# Daf Yomi: cycle 14 began on 5 January 2020 with Berachos 2; cycle 13 ended
# the day before with Nidah 73. None before 10 July 1923.
check "Daf Yomi" $D 2020-01-05 10 "Berachos 2"
check "Daf Yomi" $I 2020-01-04 10 "Nidah 73"
check "Daf Yomi before the cycles" $D 1923-07-09 10 ""

# The settings file decides when no option is given; an option overrides it.
printf 'Diaspora: "0"\nPostponeShushanPurim: "0"\n' > "$HOME/.lumaro/kivrasettings"
expect_eq "Israel from the settings file" "Khol HaMoed" "$(tsv_field "$(day 2025-04-14)" 6)"
expect_eq "--diaspora overrides the file" "Pesakh II" "$(tsv_field "$(day --diaspora 2025-04-14)" 6)"
expect_eq "Shushan Purim on Shabbat when not postponed" "Shushan Purim" "$(tsv_field "$(day 2025-03-15)" 6)"
rm -f "$HOME/.lumaro/kivrasettings"

# A translated name with a tab in it does not break the columns.
mkdir -p "$HOME/.lumaro/translations"
printf '"Purim" = "Pu\trim"\n' > "$HOME/.lumaro/translations/english.calendar"
line=$(day 2025-03-14)
expect_eq "translated special day" "Pu rim" "$(tsv_field "$line" 6)"
expect_eq "still twelve columns" 12 "$(printf '%s\n' "$line" | awk -F'\t' '{print NF}')"
rm -rf "$HOME/.lumaro/translations"

# molad: Tishri 5785 was Thursday 3:21 and 13 parts; Nisan 5785 Shabbat 7:46
# and 1 part; the first molad is Sunday 23:11 and 6 parts.
out=$("$LUMARO_CLI" molad 5785 5785)
expect_eq "molad exit status" 0 $?
expect_eq "twelve months in 5785" 12 "$(printf '%s\n' "$out" | wc -l)"
expect_eq "molad Tishri 5785" "$(printf '5785\t7\t4\t3\t21\t13')" "$(printf '%s\n' "$out" | head -1)"
expect_eq "molad Nisan 5785" "$(printf '5785\t1\t6\t7\t46\t1')" "$(printf '%s\n' "$out" | sed -n 7p)"
expect_eq "order of months" "7 8 9 10 11 12 1 2 3 4 5 6" "$(printf '%s\n' "$out" | cut -f2 | tr '\n' ' ' | sed 's/ $//')"
out=$("$LUMARO_CLI" molad 5784 5784)
expect_eq "thirteen months in 5784" "7 8 9 10 11 12 13 1 2 3 4 5 6" "$(printf '%s\n' "$out" | cut -f2 | tr '\n' ' ' | sed 's/ $//')"
expect_eq "first molad" "$(printf '1\t7\t0\t23\t11\t6')" "$("$LUMARO_CLI" molad 1 1 | head -1)"
expect_eq "whole range: 235 months in 19 years" 123671 "$("$LUMARO_CLI" molad 1 9999 | wc -l)"

expect_usage_error "molad without years" molad
expect_usage_error "molad with three years" molad 5785 5786 5787
expect_usage_error "molad year 10000" molad 5785 10000
expect_usage_error "molad not a number" molad five 5785
expect_usage_error "molad FROM after TO" molad 5786 5785

finish

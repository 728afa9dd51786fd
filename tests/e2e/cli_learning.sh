#!/bin/bash
# lumaro-cli learning: one line per study cycle and day, in a fixed order,
# Pirkei Avot by the run's Israel/Diaspora choice, the texts in Yiddish and
# Hebrew, --chosen, the learning list of the day report, and the usage
# errors.
source "$(dirname "$0")/lib/common.sh"

# Shabbat 18 May 2024 (10 Iyar 5784), as the independent calendar of the unit
# tests gives it (with our spellings): the third Shabbat after Pesakh.
out=$("$LUMARO_CLI" learning 2024-05-18 2024-05-18)
expect_eq "exit status" 0 $?
expected=$(printf '%s\n' \
  $'2024-05-18\tdaf-yomi\tBava Metzia 80' \
  $'2024-05-18\tmishna-yomit\tSotah 4:3-4' \
  $'2024-05-18\tnach-yomi\tI Kings 8' \
  $'2024-05-18\tyerushalmi-yomi\tEruvin 65' \
  $'2024-05-18\trambam-1\tMa\'asros 2' \
  $'2024-05-18\trambam-3\tYom Tov 7-8, Chametz u\'Matzah 1' \
  $'2024-05-18\ttehillim\tPsalms 55-59' \
  $'2024-05-18\tpirkei-avot\tAvos 3')
expect_eq "all cycles of 18 May 2024" "$expected" "$out"
expect_eq "three fields a line" 3 "$(printf '%s\n' "$out" | awk -F'\t' '{print NF}' | sort -u)"

# A weekday has no Pirkei Avot; a range gives every day in order.
out=$("$LUMARO_CLI" learning 2024-05-19 2024-05-25)
expect_eq "no Pirkei Avot on weekdays" 1 "$(printf '%s\n' "$out" | grep -c pirkei-avot)"
expect_eq "seven Daf Yomi lines" 7 "$(printf '%s\n' "$out" | grep -c daf-yomi)"
expect_eq "first and last day" "2024-05-19 2024-05-25" \
  "$(printf '%s\n' "$out" | cut -f1 | sed -n '1p;$p' | tr '\n' ' ' | sed 's/ $//')"

# The first days of the cycles.
tsv_text() { "$LUMARO_CLI" learning "$1" "$1" | awk -F'\t' -v c="$2" '$2 == c {print $3}'; }
expect_eq "Mishna Yomit begins" "Berachos 1:1-2" "$(tsv_text 1947-05-20 mishna-yomit)"
expect_eq "not before" "" "$(tsv_text 1947-05-19 mishna-yomit)"
expect_eq "Nach Yomi begins" "Joshua 1" "$(tsv_text 2007-11-01 nach-yomi)"
expect_eq "Yerushalmi Yomi begins" "Berachos 1" "$(tsv_text 1980-02-02 yerushalmi-yomi)"
expect_eq "Rambam begins" "Hakdamah 1-21" "$(tsv_text 1984-04-29 rambam-1)"
expect_eq "Rambam, three chapters" "Hakdamah 1-45" "$(tsv_text 1984-04-29 rambam-3)"

# Yom Kippur 5785 (12 October 2024): no Yerushalmi page.
expect_eq "Yerushalmi on Yom Kippur" "" "$(tsv_text 2024-10-12 yerushalmi-yomi)"
# 29 Iyar 5784 (6 June 2024) ends a month of 29 days.
expect_eq "Tehillim on the last of a short month" "Psalms 140-150" "$(tsv_text 2024-06-06 tehillim)"
# The last Shabbat before Rosh HaShana 5785 joins the last two chapters.
expect_eq "Pirkei Avot joined" "Avos 5-6" "$(tsv_text 2024-09-28 pirkei-avot)"

# 7 April 2018 was 22 Nisan: after Pesakh in Israel, its last day in the Diaspora.
avot() { "$LUMARO_CLI" "$1" learning 2018-04-07 2018-04-07 | awk -F'\t' '$2 == "pirkei-avot" {print $3}'; }
expect_eq "22 Nisan in Israel" "Avos 1" "$(avot --israel)"
expect_eq "22 Nisan in the Diaspora" "" "$(avot --diaspora)"

# The ends of the range.
"$LUMARO_CLI" learning 1583-01-01 1583-01-01 > /dev/null || fail "first day of the range"
expect_eq "last day of the range" "3000-12-31" "$("$LUMARO_CLI" learning 3000-12-31 3000-12-31 | cut -f1 | sort -u)"

# ---------------------------------------------------------------- translated
# Whole names are swapped, the numbers stay. The shipped translations (a first
# run of the program puts them into ~/.lumaro/translations).
"$LUMARO_CLI" learning 2024-05-18 2024-05-18 > /dev/null
yi=$("$LUMARO_CLI" --language yiddish learning 2024-05-18 2024-05-18)
expected=$(printf '%s\n' \
  $'2024-05-18\tdaf-yomi\tבבֿא-מציעא 80' \
  $'2024-05-18\tmishna-yomit\tסוטה 4:3-4' \
  $'2024-05-18\tnach-yomi\tמלכים א׳ 8' \
  $'2024-05-18\tyerushalmi-yomi\tעירובֿין 65' \
  $'2024-05-18\trambam-1\tהלכות מעשׂרות 2' \
  $'2024-05-18\trambam-3\tהלכות שבֿיתת-יום-טובֿ 7-8, הלכות חמץ-ומצה 1' \
  $'2024-05-18\ttehillim\tתּהילים 55-59' \
  $'2024-05-18\tpirkei-avot\tאבֿות 3')
expect_eq "Yiddish" "$expected" "$yi"
# Every text of two whole years (every book of the shorter cycles, and the
# Rambam's introductions of 5784) has a name in the language: no Latin
# letter is left. Hebrew once the interface offers it.
for language in yiddish hebrew; do
  "$LUMARO_CLI" --language "$language" learning 2024-01-01 2024-01-01 > /dev/null 2>&1 || continue
  latin=$("$LUMARO_CLI" --language "$language" learning 2023-01-01 2024-12-31 | cut -f3 | grep '[A-Za-z]' | head -3)
  expect_eq "$language: no English name left" "" "$latin"
done

# ---------------------------------------------------------------- --chosen
settings() { printf '%s\n' "$@" > "$HOME/.lumaro/kivrasettings"; }
chosen() { "$LUMARO_CLI" learning 2024-05-18 2024-05-19 --chosen | cut -f2 | tr '\n' ' ' | sed 's/ $//'; }
expect_eq "--chosen: Daf Yomi by default" "daf-yomi daf-yomi" "$(chosen)"
settings 'LearningDafYomi: "0"' 'LearningTehillim: "1"' 'LearningPirkeiAvot: "1"'
expect_eq "--chosen: the chosen ones" "tehillim pirkei-avot tehillim" "$(chosen)"
expect_eq "without --chosen: all" 15 "$("$LUMARO_CLI" learning 2024-05-18 2024-05-19 | wc -l)"

# ---------------------------------------------------------------- day
# The learning list comes after the halakha list, one empty line between;
# with Daf Yomi alone (the default) the report has none.
settings
"$LUMARO_CLI" day 2024-05-18 > "$HOME/day-default.txt"
grep -q "^Learning for" "$HOME/day-default.txt" && fail "day: a learning list with the default settings"
settings 'LearningMishnaYomit: "1"' 'LearningPirkeiAvot: "1"'
"$LUMARO_CLI" day 2024-05-18 > "$HOME/day-learning.txt"
expect_eq "day: the report before the list is unchanged" "$(cat "$HOME/day-default.txt")" \
  "$(head -n "$(wc -l < "$HOME/day-default.txt")" "$HOME/day-learning.txt")"
expect_eq "day: the learning list" "$(printf '\n%s' 'Learning for 18.5.2024:' 'Daf Yomi: Bava Metzia 80' \
  'Mishna Yomit: Sotah 4:3-4' 'Pirkei Avot: Avos 3')" \
  "$(tail -n +"$(($(wc -l < "$HOME/day-default.txt") + 1))" "$HOME/day-learning.txt")"
settings

expect_usage_error "missing argument" learning 2024-01-01
expect_usage_error "extra argument" learning 2024-01-01 2024-01-02 2024-01-03
expect_usage_error "malformed date" learning 2024-1-01 2024-01-02
expect_usage_error "year after range" learning 2024-01-01 3001-01-01
expect_usage_error "FROM after TO" learning 2024-01-02 2024-01-01
expect_usage_error "unknown option" learning 2024-01-01 2024-01-02 --all

finish

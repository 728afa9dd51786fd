#!/bin/bash
# lumaro-cli day: the halakha list of every date in tests/data/golden/day
# must match its reviewed file, and the report has its three lists in order.
source "$(dirname "$0")/lib/common.sh"

GOLDEN="$LUMARO_TEST_DATADIR/golden/day"

# halakha_of ARGS...: the halakha list of a day report (it comes last).
halakha_of() {
  "$LUMARO_CLI" "$@" | sed -n '/^Halakha for date /,$p'
}

count=0
for file in "$GOLDEN"/*.txt; do
  name=$(basename "$file" .txt)             # 2024-10-12.diaspora.s2
  date=${name%%.*}
  rest=${name#*.}
  mode=${rest%%.*}
  style=${rest#*.s}
  actual=$(halakha_of "--$mode" --style "$style" day "$date")
  if [ "$actual" != "$(cat "$file")" ]; then
    fail "golden $name"
    diff <(printf '%s\n' "$actual") "$file" | head -20 >&2
  fi
  count=$((count + 1))
done
[ "$count" -ge 100 ] || fail "only $count golden files found in $GOLDEN"
# Every golden file is described in the index, and every indexed file exists.
expect_eq "index" "$(cd "$GOLDEN" && ls ./*.txt | sed 's|^\./||' | sort)" \
  "$(grep -v '^#' "$GOLDEN/INDEX" | cut -f1 | sort)"

# The whole report of a Shabbat: zmanim, readings, halakha, one empty line
# between the lists (the shipped city file is installed on the first run).
out=$("$LUMARO_CLI" --diaspora day 2024-11-16)
expect_eq "Shabbat exit status" 0 $?
expect_eq "first line" "Zmanim for date 16.11.2024" "$(printf '%s\n' "$out" | head -1)"
expect_eq "three lists" "3" "$(printf '%s\n' "$out" | awk 'BEGIN{n=1} /^$/{n++} END{print n}')"
expect_eq "list headings" "Zmanim for date 16.11.2024|Readings for 16.11.2024:|Halakha for date 16.11.2024:" \
  "$(printf '%s\n' "$out" | awk 'NR==1 || prev=="" {print} {prev=$0}' | paste -sd'|')"

# A weekday without readings has two lists.
out=$("$LUMARO_CLI" day 2024-11-13)
expect_eq "weekday lists" "Zmanim for date 13.11.2024|Halakha for date 13.11.2024:" \
  "$(printf '%s\n' "$out" | awk 'NR==1 || prev=="" {print} {prev=$0}' | paste -sd'|')"

# A city missing from the city file leaves the zmanim out; the rest is shown.
printf 'CurrentCity: "Atlantis"\n' > "$HOME/.lumaro/kivrasettings"
out=$("$LUMARO_CLI" day 2024-11-16)
expect_eq "unknown city exit status" 0 $?
expect_eq "unknown city" "Readings for 16.11.2024:" "$(printf '%s\n' "$out" | head -1)"
rm -f "$HOME/.lumaro/kivrasettings"

# Israel and Diaspora and the style come from the settings file unless overridden.
printf 'Diaspora: "0"\nStyle: "1"\n' > "$HOME/.lumaro/kivrasettings"
expect_eq "settings file" "$(cat "$GOLDEN/2024-10-24.israel.s1.txt")" \
  "$(halakha_of day 2024-10-24)"
expect_eq "options override the file" "$(cat "$GOLDEN/2024-10-24.diaspora.s2.txt")" \
  "$(halakha_of --diaspora --style 2 day 2024-10-24)"
rm -f "$HOME/.lumaro/kivrasettings"

finish

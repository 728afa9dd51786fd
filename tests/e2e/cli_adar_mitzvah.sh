#!/bin/bash
# lumaro-cli anniversary --adar: a sample of tests/data/adar_anniversaries.tsv (every row is checked
# by the unit tests) end to end, each choice and type among them; anniversary --mitzvah: every row of
# tests/data/mitzvah_days.tsv (the section in Hebrew; a double section written "A, B" here), and a bat
# mitzvah of the anniversaries file in upcoming (its row of that file: 14 Adar 5797 = 1 March 2037).
source "$(dirname "$0")/lib/common.sh"
n=0
while IFS=$'\t' read -r type event year choice days; do
  [[ $type == '#'* ]] && continue
  n=$((n + 1))
  [ $((n % 23)) = 0 ] || continue
  args=(anniversary "$type" "$event" "$year")
  [ "$choice" != usual ] && args+=(--adar "$choice")
  expect_eq "${args[*]}" "$days" "$("$LUMARO_CLI" "${args[@]}" | tr '\n' ' ' | sed 's/ $//')"
done < "$LUMARO_TEST_DATADIR/adar_anniversaries.tsv"
[ "$n" -gt 2000 ] || fail "the table has only $n rows"
while IFS=$'\t' read -r birth kind place day shabbat section; do
  [[ $birth == '#'* ]] && continue
  section=${section//מצרע/מצורע}  # the source spells Metsora without its vav
  got=$("$LUMARO_CLI" --language hebrew --"$place" anniversary B "$birth" --mitzvah "$kind")
  expect_eq "$kind mitzvah of $birth ($place)" "$day"$'\t'"$shabbat"$'\t'"${section//-/, }" "$got"
done < "$LUMARO_TEST_DATADIR/mitzvah_days.tsv"
printf '"Dina" B H 14.12.5785 0#mitzvah=bat\n' > "$HOME/.lumaro/kivraanni"
expect_eq "upcoming: the bat mitzvah" "Sunday, 1 March 2037 (14 Adar 5797): Birthday: Dina, 12 years
Sunday, 1 March 2037 (14 Adar 5797): Bat mitzvah: Dina; Shabbat 20 Adar 5797: Ki Tissa" \
  "$("$LUMARO_CLI" upcoming --from 2037-02-28 --days 3)"
finish

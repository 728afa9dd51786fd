#!/bin/bash
# lumaro-cli now through LUMARO_NOW at the moments of tests/data/now_reference.tsv (and --at for the
# same moment), then reminders over two weeks against tests/data/reminders_reference.tsv.
source "$(dirname "$0")/lib/common.sh"
minutes() { echo $(($(date -u -d "${1/T/ } UTC" +%s) / 60)); }
settings() {  # settings CITY CANDLES TURN
  printf 'CurrentCity: "%s"\nDSTAutomatic: "1"\nTimeFormat: "1"\nCandleLightingMin: "%s"\nHavdalahIsMin: "0"\n' "$1" "$2"
  printf 'HavdalahValue: "8.5"\nZmanimAlotHaShachar: "AlotHashachar16"\nDateTurn: "%s"\n' "$3"
  printf 'ReminderOmer: "1"\nReminderYortsayt: "1"\nReminderFast: "1"\nReminderKiddushLevana: "1"\n'
}
while IFS=$'\t' read -r city rules candles turn at date hebrew state status next; do
  [[ $city == '#'* ]] && continue
  settings "$city" "$candles" "$turn" > "$HOME/.lumaro/kivrasettings"
  out=$(LUMARO_NOW=$at "$LUMARO_CLI" "--$rules" now 2>&1)
  got=$?
  IFS=$'\t' read -r our_date our_hebrew our_state our_next <<< "$out"
  expect_eq "$city $at ($turn)" "$date|$hebrew|$state|$status" "$our_date|$our_hebrew|$our_state|$got"
  if [ "$next" != - ]; then
    diff=$(($(minutes "${our_next:-1970-01-01T00:00}") - $(minutes "$next")))
    ((diff <= 3 && diff >= -3)) || fail "$city $at: next change $our_next, the data $next"
  fi
  [ "$("$LUMARO_CLI" "--$rules" now --at "$at")" = "$out" ] || fail "$city $at: --at gives another line"
done < "$LUMARO_TEST_DATADIR/now_reference.tsv"

# The reminders: each line of the data matched by moment and time shown (to three minutes), kind and a
# text, none left over.
near() { [ "$2" = - ] || { local d=$(($(minutes "2000-01-01T$1") - $(minutes "2000-01-01T$2"))); ((d <= 3 && d >= -3)); }; }
settings "New York City" 18 sunset > "$HOME/.lumaro/kivrasettings"
out=$(LUMARO_NOW=@1796418360 "$LUMARO_CLI" --diaspora now)
expect_eq "LUMARO_NOW in seconds" "2026-12-04	24 Kislev	weekday	2026-12-04T16:10" "$out"
printf '"A" Y H 9.10.5780 0\n"B" Y H 12.10.5780 0\n"C" Y H 16.1.5780 0\n"D" Y H 17.1.5780 0\n' > "$HOME/.lumaro/kivraanni"
for week in "2026-12-17 2026-12-23" "2027-04-18 2027-04-24"; do
  mapfile -t ours < <("$LUMARO_CLI" --diaspora reminders $week)
  mapfile -t theirs < <(grep -P "^${week%% *}\t" "$LUMARO_TEST_DATADIR/reminders_reference.tsv" | cut -f2-)
  expect_eq "reminders $week: how many" "${#theirs[@]}" "${#ours[@]}"
  for row in "${theirs[@]}"; do
    IFS=$'\t' read -r moment kind text time <<< "$row"
    found=
    for line in "${ours[@]}"; do
      IFS=$'\t' read -r our_moment our_kind rest <<< "$line"
      shown=$(grep -oE '[0-9]{2}:[0-9]{2}' <<< "$rest" | head -1)
      [ "$our_kind" = "$kind" ] && [[ $rest == *"$text"* ]] && near "${our_moment#*T}" "${moment#*T}" &&
        [ "${our_moment%T*}" = "${moment%T*}" ] && near "${shown:-00:00}" "$time" && found=1
    done
    [ -n "$found" ] || fail "reminders $week: no $kind at $moment with '$text' in: $(printf '%s|' "${ours[@]}")"
  done
done
"$LUMARO_CLI" now --at 2026-12-04T25:00 2> "$W/err"
expect_eq "a bad --at: usage" "2|1" "$?|$(grep -c 'invalid time' "$W/err")"
LUMARO_NOW=yesterday "$LUMARO_CLI" today 2> "$W/err"
expect_eq "a bad LUMARO_NOW: usage" "2|1" "$?|$(grep -c LUMARO_NOW "$W/err")"
finish

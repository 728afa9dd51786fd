#!/bin/bash
# lumaro-cli mourning: every milestone of the worked cases of tests/data/mourning_cases.tsv, the
# reason of shiva, and bad dates refused with one line and exit status 2; the milestones of an entry
# marked as a recent loss (and of no other) in upcoming and reminders (the case "before Pesakh").
source "$(dirname "$0")/lib/common.sh"
while IFS=$'\t' read -r name source place death burial sunset shiva why shloshim kaddish twelve yortsayt first; do
  [[ $name == '#'* ]] && continue
  args=(--"$place" mourning "$death")
  [ "$burial" != - ] && args+=(--burial "$burial")
  [ "$sunset" = 1 ] && args+=(--after-sunset)
  out=$("$LUMARO_CLI" "${args[@]}") || fail "$name ($place): exit status $?"
  got=$(printf '%s\n' "$out" | awk -F'\t' '{d[$1] = $2} END {f = d["first-yortsayt"]; if (f == "") f = "-"
    print d["shiva"], d["shloshim"], d["kaddish"], d["twelve-months"], d["yortsayt"], f}')
  expect_eq "$name ($place, $source)" "$shiva $shloshim $kaddish $twelve $yortsayt $first" "$got"
  [[ $(printf '%s\n' "$out" | awk -F'\t' '$1 == "shiva" {print $4}') == *"$why"* ]] ||
    fail "$name ($place): the reason of shiva does not name '$why': $out"
done < "$LUMARO_TEST_DATADIR/mourning_cases.tsv"
for bad in "2025-02-30" "2025-01-13 --burial 2025-01-12" "2025-01-13 --after-sunset --burial 2025-01-13" \
  "2025-01-13 --burial" "" "2025-01-13 --days 3" "1200-01-01"; do
  out=$("$LUMARO_CLI" mourning $bad 2> "$W/err")
  expect_eq "mourning $bad: exit 2, no output, one line" "2||1" "$?|$out|$(wc -l < "$W/err")"
done
printf '"Father" Y 9.4.2025 0#burial=9.4.2025\n"Other" Y 9.4.2025 0\n' > "$HOME/.lumaro/kivraanni"
out=$("$LUMARO_CLI" --diaspora upcoming --from 2025-04-09 --days 400 | grep -v 'yortsayt:')
expect_eq "upcoming: the milestones of the recent loss" "Shabbat, 12 April 2025 (14 Nisan 5785): End of shiva: Father
Monday, 5 May 2025 (7 Iyar 5785): End of shloshim: Father
Friday, 27 February 2026 (10 Adar 5786): Last day of Kaddish: Father
Shabbat, 28 March 2026 (10 Nisan 5786): End of the twelve months: Father" "$out"
printf 'ReminderYortsayt: "1"\nReminderCandles: "0"\n' > "$HOME/.lumaro/kivrasettings"
out=$("$LUMARO_CLI" --diaspora reminders 2025-04-01 2025-05-30 | cut -f2,3 | tr '\t\n' '| ')
expect_eq "reminders: the evenings before" "mourning|End of shiva: Father mourning|End of shloshim: Father " "$out"
finish

#!/bin/bash
# lumaro-cli eval, eval --batch, zmanim and the shabbat_time column of dump,
# and the first-run installation of the city file.
source "$(dirname "$0")/lib/common.sh"

# --- First run: an empty home gets ~/.lumaro and the shipped city file.
rm -rf "$HOME/.lumaro"
out=$("$LUMARO_CLI" zmanim 2010-06-21)
expect_eq "zmanim exit status" 0 $?
[ -d "$HOME/.lumaro" ] || fail "~/.lumaro was not created"
expect_eq "~/.lumaro mode" 700 "$(stat -c %a "$HOME/.lumaro")"
cmp -s "$HOME/.lumaro/cities" "$LUMARO_SOURCE_DIR/data/cities" || fail "~/.lumaro/cities differs from the shipped file"

# 21 June 2010 at Pforzheim: sunrise 4:21, sunset 20:32 standard time.
expect_eq "zmanim line count" 13 "$(printf '%s\n' "$out" | wc -l)"
expect_eq "zmanim title" "Zmanim for date 21.6.2010" "$(printf '%s\n' "$out" | sed -n 1p)"
expect_eq "zmanim location" "Location Pforzheim" "$(printf '%s\n' "$out" | sed -n 2p)"
expect_eq "zmanim sunrise" "netz haKhama: 05:21AM" "$(printf '%s\n' "$out" | sed -n 5p)"
expect_eq "zmanim sunset" "shkiat haKhama: 09:32PM" "$(printf '%s\n' "$out" | sed -n 12p)"

# The user's file is never replaced.
printf '"Mine", 1,0 N, 1,0 E, GMT+1\n' > "$HOME/.lumaro/cities"
"$LUMARO_CLI" eval 2010-06-21 0 0 0 1 > /dev/null
expect_eq "user city file kept" '"Mine", 1,0 N, 1,0 E, GMT+1' "$(cat "$HOME/.lumaro/cities")"
cp "$LUMARO_SOURCE_DIR/data/cities" "$HOME/.lumaro/cities"

# --- eval: the value is the last line; messages come first on stdout.
expect_eq "eval sunrise" 261 "$("$LUMARO_CLI" eval 2010-06-21 4853 842 1 sunrise)"
expect_eq "eval sunset" 1232 "$("$LUMARO_CLI" eval 2010-06-21 4853 842 1 SUNSET)"
# Southern and western coordinates as negative numbers (sunrise 4:41 in
# Sydney and 5:37 in Buenos Aires, standard time, on 21 December 2010).
expect_eq "eval Sydney" 281 "$("$LUMARO_CLI" eval 2010-12-21 -3352 15112 10 sunrise)"
expect_eq "eval Buenos Aires" 337 "$("$LUMARO_CLI" eval 2010-12-21 -3437 -5823 -3 sunrise)"
# Midnight sun at Tromsoe: no sunset, no time.
expect_eq "eval polar day" -1 "$("$LUMARO_CLI" eval 2010-06-21 6939 1857 1 'sunset - 18')"
out=$("$LUMARO_CLI" eval 2010-06-21 4853 842 1 '(sunset' 2> "$E2E_HOME/err")
expect_eq "eval exit status for a bad expression" 0 $?
expect_eq "eval syntax error" "$(printf 'Parsing error ) expected\n  Original expression: (sunset\n-1')" "$out"
expect_eq "eval syntax error: nothing on stderr" "" "$(cat "$E2E_HOME/err")"
expect_eq "eval division by zero" -1 "$("$LUMARO_CLI" eval 2010-06-21 4853 842 1 'sunrise / 0')"

expect_usage_error "eval without expression" eval 2010-06-21 4853 842 1
expect_usage_error "eval bad date" eval 2010-02-30 4853 842 1 sunrise
expect_usage_error "eval latitude out of range" eval 2010-06-21 9100 842 1 sunrise
expect_usage_error "eval zone out of range" eval 2010-06-21 4853 842 99999999999 sunrise

# --- eval --batch: one value per line, messages on stderr, bad lines "error".
batch=$(printf '2010-06-21\t4853\t842\t1\tsunrise\n'\
'2010-06-21\t4853\t842\t1\tsunset - 1.5\n'\
'garbage\n'\
'2010-06-21\t4853\t842\n'\
'2010-13-01\t4853\t842\t1\tsunrise\n'\
'2010-06-21\t4853\t842\t1\tsunset\t- 18\r\n'\
'\n' | "$LUMARO_CLI" eval --batch 2> "$E2E_HOME/err")
expect_eq "batch exit status" 0 $?
expect_eq "batch values" "$(printf '261\n-1\nerror\nerror\nerror\n1214\nerror')" "$batch"
grep -q '^Parsing error Number or ID' "$E2E_HOME/err" || fail "batch: parse message not on stderr"
# Sent to one place, each line's messages come right before its value.
combined=$(printf '2010-06-21\t4853\t842\t1\tsunrise\n2010-06-21\t4853\t842\t1\t(sunset\n' |
  "$LUMARO_CLI" eval --batch 2>&1)
expect_eq "batch order" "$(printf '261\nParsing error ) expected\n  Original expression: (sunset\n-1')" "$combined"

# --- dump shabbat_time: Friday candle lighting (sunset - 18), Saturday
# havdalah (sunset + 45), in the 12-hour form with summer time.
# evening_time DATE MINUTES_AFTER_SUNSET: the evening time shown for Pforzheim.
evening_time() {
  local t=$(($("$LUMARO_CLI" eval "$1" 4853 842 1 sunset) + $2 + 60))
  printf '%02d:%02dPM' $((t / 60 - 12)) $((t % 60))
}
expect_eq "sunset on Friday 25 June 2010 (20:32)" 1232 "$("$LUMARO_CLI" eval 2010-06-25 4853 842 1 sunset)"
out=$("$LUMARO_CLI" dump 2010-06-24 2010-06-27)
expect_eq "Thursday" "" "$(tsv_field "$(printf '%s\n' "$out" | grep '^2010-06-24')" 12)"
expect_eq "Friday" "C 09:14PM" "$(tsv_field "$(printf '%s\n' "$out" | grep '^2010-06-25')" 12)"
expect_eq "Saturday" "H $(evening_time 2010-06-26 45)" "$(tsv_field "$(printf '%s\n' "$out" | grep '^2010-06-26')" 12)"
expect_eq "Sunday" "" "$(tsv_field "$(printf '%s\n' "$out" | grep '^2010-06-27')" 12)"
# 15 Nisan 5785 (Sunday 13 April 2025): in the Diaspora candles for the
# second day, lit after nightfall (sunset + 45); in Israel the festival ends
# then, with havdalah.
expected="C $(evening_time 2025-04-13 45)"
expect_eq "second seder" "$expected" "$(tsv_field "$("$LUMARO_CLI" --diaspora dump 2025-04-13 2025-04-13 | tail -1)" 12)"
expect_eq "end of the festival in Israel" "H $(evening_time 2025-04-13 45)" \
  "$(tsv_field "$("$LUMARO_CLI" --israel dump 2025-04-13 2025-04-13 | tail -1)" 12)"

# --- Settings: another city, with an accent in ISO-8859-1, and the 24-hour clock.
printf 'CurrentCity: "Z\xfcrich"\nTimeFormat: "1"\n' > "$HOME/.lumaro/kivrasettings"
out=$("$LUMARO_CLI" zmanim 2024-03-01)
expect_eq "accented city shown in UTF-8" "Location Zürich" "$(printf '%s\n' "$out" | sed -n 2p)"
case "$(printf '%s\n' "$out" | sed -n 5p)" in
  "netz haKhama: 07:"[0-9][0-9]) ;;
  *) fail "24-hour sunrise in Zurich: $(printf '%s\n' "$out" | sed -n 5p)" ;;
esac
printf 'CurrentCity: "Atlantis"\n' > "$HOME/.lumaro/kivrasettings"
expect_usage_error "zmanim for an unknown city" zmanim 2024-03-01
expect_usage_error "zmanim without date" zmanim

finish

#!/bin/bash
# Prints one SHA-256 per observable output of lumaro-cli, for proving that a
# change meant to keep behaviour keeps it byte for byte: run it before and
# after the change and compare the two listings (diff should be empty).
#
#   scripts/behaviour-hashes.sh [LUMARO_CLI] > hashes.txt
#
# Covers: the whole-range dump (1583..3000) for Israel and the Diaspora with a
# few setting combinations (12/24-hour clock, havdalah in degrees, another
# city, the city's own time zone, Yiddish, Hebrew, the classic sun
# calculation named in the settings); the day report of every day of two
# years for Israel/Diaspora x Sephardic/Ashkenazi (and 40 days in Hebrew);
# molad; eval --batch of a set of expressions at several places; month
# PostScript (English, Yiddish, Hebrew, English with Hebrew numerals, colour
# and black and white); iCalendar exports (the Hebrew dates in digits and in
# numerals among them); and where the messages about bad input files and
# expressions go (standard output or standard error, and in which order).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
CLI=${1:-$ROOT/build/lumaro-cli}
[ -x "$CLI" ] || { echo "no lumaro-cli at $CLI" >&2; exit 2; }
WORK=$(mktemp -d "${TMPDIR:-/tmp}/lumaro-hashes.XXXXXX")
trap 'rm -rf "$WORK"' EXIT

# settings_home NAME KEY=VALUE...: a private HOME with those settings.
settings_home() {
  local home=$WORK/$1
  shift
  mkdir -p "$home/.lumaro"
  : > "$home/.lumaro/kivrasettings"
  local kv
  for kv in "$@"; do
    printf '%s: "%s"\n' "${kv%%=*}" "${kv#*=}" >> "$home/.lumaro/kivrasettings"
  done
  echo "$home"
}

# hash LABEL HOME ARGS...: the SHA-256 of stdout and the exit status.
hash() {
  local label=$1 home=$2
  shift 2
  local status=0 sum
  sum=$(HOME=$home LC_ALL=C "$CLI" "$@" 2>"$WORK/stderr" | sha256sum | cut -c1-64) || status=$?
  local errsum
  errsum=$(sha256sum < "$WORK/stderr" | cut -c1-16)
  printf '%-44s %s err=%s\n' "$label" "$sum" "$errsum"
}

DEFAULT=$(settings_home default)
H12=$(settings_home h12 TimeFormat=1)
DEG=$(settings_home degrees HavdalahIsMin=0 HavdalahValue=8.5 CandleLightingMin=40)
CITY=$(settings_home city "CurrentCity=New York City" PostponeShushanPurim=0)
ZONE=$(settings_home zone "CurrentCity=Jerusalem" DSTAutomatic=1 TimeFormat=1)
YI=$(settings_home yiddish Language=2)
# The classic sun calculation named in the settings (with the elevation
# switch on, which only the precise calculation uses) gives the default's
# output; a program without these settings ignores them.
CLASSIC=$(settings_home classic SunCalculation=classic SunElevation=1 "CurrentCity=Jerusalem" DSTAutomatic=1)
HE=$(settings_home hebrew Language=3)
NUM=$(settings_home numerals HebrewNumerals=1)

for place in israel diaspora; do
  hash "dump-$place-default" "$DEFAULT" --$place dump 1583-01-01 3000-12-31
done
for place in israel diaspora; do
  for style in 1 2; do
    hash "dump-$place-style$style-12h" "$H12" --$place --style $style dump 1583-01-01 3000-12-31
  done
done
hash "dump-diaspora-degrees" "$DEG" --diaspora dump 1583-01-01 3000-12-31
hash "dump-israel-degrees" "$DEG" --israel dump 1583-01-01 3000-12-31
hash "dump-newyork" "$CITY" dump 1583-01-01 3000-12-31
hash "dump-jerusalem-zone" "$ZONE" --israel dump 1583-01-01 3000-12-31
hash "dump-yiddish" "$YI" dump 1900-01-01 2100-12-31
hash "dump-classic-setting" "$CLASSIC" --israel dump 1583-01-01 3000-12-31
hash "dump-hebrew" "$HE" dump 1900-01-01 2100-12-31

# The day report of every day of two years (a leap and a common Hebrew year
# and the turn of two Gregorian years), in the four rule combinations.
days=()
d=$(date -u -d 2023-09-01 +%s)
end=$(date -u -d 2025-08-31 +%s)
while [ "$d" -le "$end" ]; do
  days+=("$(date -u -d "@$d" +%F)")
  d=$((d + 86400))
done
for place in israel diaspora; do
  for style in 1 2; do
    for home in "$DEFAULT" "$YI"; do
      out=$WORK/day-$place-$style
      : > "$out"
      for day in "${days[@]}"; do
        HOME=$home LC_ALL=C "$CLI" --$place --style $style day "$day" >> "$out" 2>&1 || echo "status $?" >> "$out"
      done
      printf '%-44s %s\n' "day-$place-style$style-$(basename "$home")" "$(sha256sum < "$out" | cut -c1-64)"
    done
  done
done
out=$WORK/day-hebrew
: > "$out"
for day in "${days[@]:180:40}"; do
  HOME=$HE LC_ALL=C "$CLI" day "$day" >> "$out" 2>&1 || echo "status $?" >> "$out"
done
printf '%-44s %s\n' "day-hebrew-40-days" "$(sha256sum < "$out" | cut -c1-64)"
hash "day-newyork-2026" "$CITY" day 2026-03-13
hash "day-jerusalem-zone" "$ZONE" day 2026-03-27

hash "molad" "$DEFAULT" molad 1 9999
hash "zmanim" "$DEFAULT" zmanim 2025-06-20
hash "zmanim-zone" "$ZONE" zmanim 2026-03-27
hash "zmanim-classic-setting" "$CLASSIC" zmanim 2026-03-27
hash "ics-classic-setting" "$CLASSIC" ics 2026-01-01 2026-12-31 --times

# eval --batch: several expressions at places north, south, east and west.
batch=$WORK/batch.tsv
: > "$batch"
for date in 2024-01-01 2024-03-20 2024-06-21 2024-09-22 2024-12-21 2025-07-04; do
  for place in "4853	842	1" "3147	3514	2" "-3355	1825	2" "4043	-7400	-5" "6940	1857	1" "-5448	-6818	-3"; do
    for expr in "sunrise" "sunset" "sunset - 18" "sunrise + proportional_hour(3) - 36" \
                "sunset + degrees_below_horizon(8.5)" "sunrise - degrees_below_horizon(16.1)" \
                "friday(sunset - 18)" "saturday(sunset + 45)" "proportional_hour(1.5)" "(sunset" "7 / 0" \
                "sunrise - degrees_below_horizon(11)" "sunset + degrees_below_horizon(7.083)" \
                "sunrise + proportional_hour(10.75)" "sunset - sunrise" "(sunset - sunrise) / 12 * 3" \
                "7 / 2" "0 - 7 / 2" "sunrise * 2 - sunset" "(0 - 1)" "degrees_below_horizon(0)" \
                "sunset + degrees_below_horizon(16.1) - 0"; do
      printf '%s\t%s\t%s\n' "$date" "$place" "$expr" >> "$batch"
    done
  done
done
printf '%-44s %s\n' "eval-batch" "$(HOME=$DEFAULT LC_ALL=C "$CLI" eval --batch < "$batch" 2>&1 | sha256sum | cut -c1-64)"

for month in 2025-04 2024-10 2026-03; do
  hash "month-$month" "$DEFAULT" month "$month"
  hash "month-$month-a4-bw" "$H12" month "$month" --paper A4 --landscape --bw
  hash "month-$month-yiddish" "$YI" month "$month"
  hash "month-$month-hebrew" "$HE" month "$month"
  hash "month-$month-numerals" "$NUM" month "$month"
done
hash "ics-2024-2025" "$DEFAULT" ics 2024-01-01 2025-12-31
hash "ics-yiddish" "$YI" ics 2025-01-01 2025-12-31
hash "ics-hebrew-dates" "$HE" ics 2025-01-01 2025-12-31 --hebrew-dates --holidays
hash "ics-hebrew-dates-digits" "$DEFAULT" ics 2025-01-01 2025-12-31 --hebrew-dates
hash "ics-newyork-times" "$CITY" ics 2026-01-01 2026-12-31 --times

# Where the messages go: a city file with bad lines, no city file, a
# translation file with syntax errors, a city whose zone the system does not
# know, and time expressions that do not parse. Each command's standard
# output, standard error and both merged (the order of the two), with the
# private paths replaced by a fixed word.
msg_home() {
  local home
  home=$(settings_home "$@")
  mkdir -p "$home/.lumaro/translations"
  echo "$home"
}
BADCITY=$(msg_home badcity "CurrentCity=Pforzheim")
cp "$ROOT/data/cities" "$BADCITY/.lumaro/cities"
printf '%s\n' '"Broken, 48,53 N' 'Nonsense line' '"X", 1,2 Q, 3,4 E, GMT+1' >> "$BADCITY/.lumaro/cities"
NOCITY=$(msg_home nocity)
BADTR=$(msg_home badtr Language=2 "CurrentCity=Pforzheim")
cp "$ROOT/data/cities" "$BADTR/.lumaro/cities"
cp "$ROOT"/data/translations/yiddish.* "$BADTR/.lumaro/translations/"
printf '%s\n' 'Exit = "x"' '"Key" "nosep"' >> "$BADTR/.lumaro/translations/yiddish.gui"
BADZONE=$(msg_home badzone "CurrentCity=Bad" DSTAutomatic=1)
printf '"Bad", 48,53 N, 8,42 E, GMT+1, Mars/Olympus\n' > "$BADZONE/.lumaro/cities"

# messages LABEL HOME ARGS...
messages() {
  local label=$1 home=$2
  shift 2
  local o e m
  o=$(HOME=$home LC_ALL=C "$CLI" "$@" 2>/dev/null < /dev/null | sed "s|$WORK|WORK|g" | sha256sum | cut -c1-16)
  e=$(HOME=$home LC_ALL=C "$CLI" "$@" 2>&1 > /dev/null < /dev/null | sed "s|$WORK|WORK|g" | sha256sum | cut -c1-16)
  m=$(HOME=$home LC_ALL=C "$CLI" "$@" 2>&1 < /dev/null | sed "s|$WORK|WORK|g" | sha256sum | cut -c1-16)
  printf '%-44s out=%s err=%s both=%s\n' "$label" "$o" "$e" "$m"
}
for name in BADCITY NOCITY BADTR BADZONE; do
  home=${!name}
  messages "messages-$name-day" "$home" day 2024-10-03
  messages "messages-$name-dump" "$home" dump 2024-09-01 2024-10-31
  messages "messages-$name-month" "$home" month 2024-10
  messages "messages-$name-month-file" "$home" month 2024-10 --out "$WORK/month.ps"
  messages "messages-$name-ics-times" "$home" ics 2024-09-01 2024-10-31 --times
  messages "messages-$name-eval" "$home" eval 2024-06-21 4853 842 1 "sunset + (3"
done
printf '2024-06-21\t4853\t842\t1\tsunset + (3\n2024-06-21\t4853\t842\t1\tsunset\nbad\n2024-06-21\t4853\t842\t1\tx y\n' \
  > "$WORK/batch-messages.tsv"
printf '%-44s out=%s err=%s both=%s\n' "messages-eval-batch" \
  "$(HOME=$BADCITY "$CLI" eval --batch < "$WORK/batch-messages.tsv" 2> /dev/null | sha256sum | cut -c1-16)" \
  "$(HOME=$BADCITY "$CLI" eval --batch < "$WORK/batch-messages.tsv" 2>&1 > /dev/null | sha256sum | cut -c1-16)" \
  "$(HOME=$BADCITY "$CLI" eval --batch < "$WORK/batch-messages.tsv" 2>&1 | sha256sum | cut -c1-16)"

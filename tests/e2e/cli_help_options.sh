#!/bin/bash
# lumaro-cli --help, COMMAND --help, --version (of both programs), the
# one-run options (--city, --12h/--24h, --language, --dst-automatic) and a
# usage error for each bad option value. The options never change the
# settings file.
source "$(dirname "$0")/lib/common.sh"

# The commands as --help lists them (checked below against the manual page and the completion).
COMMANDS=$("$LUMARO_CLI" --help | sed -n '/^Commands:/,/^$/s/^  \([a-z][a-z-]*\).*/\1/p' | tr '\n' ' ' | sed 's/ $//')
expect_eq "the commands of --help" \
  "today upcoming day zmanim dump times learning ics month year-sheet molad anniversary eval" "$COMMANDS"

# ------------------------------------------------------------ --version
# The version is written once, at the top of CMakeLists.txt.
cmake_version=$(sed -n 's/^project(lumaro VERSION \([0-9.]*\) .*/\1/p' "$LUMARO_SOURCE_DIR/CMakeLists.txt")
suffix=$(sed -n 's/^set(LUMARO_VERSION_SUFFIX "\(.*\)")/\1/p' "$LUMARO_SOURCE_DIR/CMakeLists.txt")
[ -n "$cmake_version" ] || fail "no project version in CMakeLists.txt"
expect_eq "lumaro-cli --version" "lumaro-cli $cmake_version$suffix" "$("$LUMARO_CLI" --version)"
if [ -n "${LUMARO_GUI:-}" ]; then
  # No display is needed for it.
  expect_eq "lumaro --version" "lumaro $cmake_version$suffix" "$(env -u DISPLAY "$LUMARO_GUI" --version)"
  env -u DISPLAY "$LUMARO_GUI" --help | grep -q '^usage: lumaro' || fail "lumaro --help"
fi

# ------------------------------------------------------------ --help
help=$("$LUMARO_CLI" --help)
expect_eq "--help exit status" 0 $?
expect_eq "-h is --help" "$help" "$("$LUMARO_CLI" -h)"
expect_eq "--help first line" "usage: lumaro-cli [OPTION]... COMMAND [ARGUMENT]..." "$(printf '%s\n' "$help" | head -1)"
# Every command with its arguments, then a one-line description.
for c in $COMMANDS; do
  line=$(printf '%s\n' "$help" | grep -n "^  $c\( \|$\)" | head -1)
  [ -n "$line" ] || { fail "--help does not list $c"; continue; }
  n=${line%%:*}
  desc=$(printf '%s\n' "$help" | sed -n "$((n + 1))p")
  [[ $desc == "      "[a-z]* ]] || fail "--help: no description under $c: '$desc'"
done
for a in "today [--date DATE]" "upcoming [--days N] [--from DATE] [--notify]" "day DATE" "dump FROM TO" \
         "anniversary TYPE D.M.Y YEAR" "molad FROM_YEAR TO_YEAR"; do
  printf '%s\n' "$help" | grep -qxF "  $a" || fail "--help: no line '$a'"
done
for o in "--israel" "--diaspora" "--style 1|2" "--city NAME" "--12h" "--24h" "--language LANGUAGE" \
         "--dst-automatic on|off" "--hebrew-numerals on|off" "--help" "--version"; do
  printf '%s\n' "$help" | grep -q "^  $o " || fail "--help does not list the option $o"
done
printf '%s\n' "$help" | grep -q "LANGUAGE is one of english|yiddish|hebrew\." || fail "--help: languages"

# COMMAND --help: usage with an example that works.
cd "$E2E_HOME"
for c in $COMMANDS; do
  out=$("$LUMARO_CLI" "$c" --help 2>&1)
  expect_eq "$c --help exit status" 0 $?
  expect_eq "$c --help usage" "usage: lumaro-cli [OPTION]... $c " "$(printf '%s\n' "$out" | head -1 | cut -c1-$((31 + ${#c})))"
  example=$(printf '%s\n' "$out" | sed -n 's/^example: lumaro-cli //p')
  [ -n "$example" ] || { fail "$c --help has no example"; continue; }
  # The examples are plain words, quotes and one redirection at most.
  eval "\"\$LUMARO_CLI\" $example" > "$E2E_HOME/example.out" 2> "$E2E_HOME/example.err"
  expect_eq "the example of $c runs: $example ($(head -c 200 "$E2E_HOME/example.err"))" 0 $?
done
[ -s april.pdf ] && [ "$(head -c 5 april.pdf)" = "%PDF-" ] || fail "the month example wrote no PDF"
cd - > /dev/null

# ------------------------------------------------------------ one-run options
SETTINGS="$HOME/.lumaro/kivrasettings"
printf '%s\n' 'CurrentCity: "New York City"' 'TimeFormat: "0"' 'Language: "1"' 'DSTAutomatic: "1"' > "$SETTINGS"
before=$(sha256sum < "$SETTINGS")

# The city: Jerusalem's zmanim name it; the name is matched without letter case.
out=$("$LUMARO_CLI" --city jerusalem zmanim 2026-04-03)
printf '%s\n' "$out" | grep -q "Jerusalem" || fail "--city jerusalem: the zmanim do not name Jerusalem"
out=$("$LUMARO_CLI" zmanim 2026-04-03)
printf '%s\n' "$out" | grep -q "New York City" || fail "without --city the settings' city is used"

# The clock: Friday 3 April 2026 in Jerusalem, candle lighting 18 minutes
# before sunset, in the 12- and 24-hour forms.
field() { "$LUMARO_CLI" "$@" | tail -1 | cut -f12; }
expect_eq "--24h" "C 18:42" "$(field --city Jerusalem --24h dump 2026-04-03 2026-04-03)"
expect_eq "--12h" "C 06:42PM" "$(field --city Jerusalem --12h dump 2026-04-03 2026-04-03)"
expect_eq "settings' 12-hour clock" "C 06:42PM" "$(field --city Jerusalem dump 2026-04-03 2026-04-03)"
expect_eq "the last clock option wins" "C 18:42" "$(field --city Jerusalem --12h --24h dump 2026-04-03 2026-04-03)"

# Daylight saving: Israel's summer time began on Friday 27 March 2026; the
# settings' own rule (the last Sunday of March) only two days later.
expect_eq "--dst-automatic on" "C 18:37" "$(field --city Jerusalem --24h --dst-automatic on dump 2026-03-27 2026-03-27)"
expect_eq "--dst-automatic off" "C 17:37" "$(field --city Jerusalem --24h --dst-automatic off dump 2026-03-27 2026-03-27)"

# The language: the day's holiday text of 2 April 2026 (Pesakh I).
expect_eq "--language english" "Pesakh I" "$("$LUMARO_CLI" --language english dump 2026-04-02 2026-04-02 | tail -1 | cut -f6)"
expect_eq "--language yiddish" "פּסח א׳" "$("$LUMARO_CLI" --language yiddish dump 2026-04-02 2026-04-02 | tail -1 | cut -f6)"
expect_eq "--language hebrew" "פסח א׳" "$("$LUMARO_CLI" --language hebrew dump 2026-04-02 2026-04-02 | tail -1 | cut -f6)"

# Hebrew numerals: the Hebrew date of today's report (2 April 2026 is
# 15 Nisan 5786), off in English and on in Hebrew unless the option says.
hebrew_date() { "$LUMARO_CLI" "$@" today --date 2026-04-02 | sed -n 2p | cut -d: -f2-; }
expect_eq "English, numerals by default off" " 15 Nisan 5786" "$(hebrew_date)"
expect_eq "--hebrew-numerals on" " ט״ו ניסן תשפ״ו" "$(hebrew_date --hebrew-numerals on)"
expect_eq "Hebrew, numerals by default on" " ט״ו ניסן תשפ״ו" "$(hebrew_date --language hebrew)"
expect_eq "Hebrew --hebrew-numerals off" " 15 ניסן 5786" "$(hebrew_date --language hebrew --hebrew-numerals off)"
# The dump's D.M.Y column is data: never numerals.
expect_eq "the dump keeps digits" "15.1.5786" \
  "$("$LUMARO_CLI" --language hebrew --hebrew-numerals on dump 2026-04-02 2026-04-02 | tail -1 | cut -f4)"

expect_eq "the settings file is never written" "$before" "$(sha256sum < "$SETTINGS")"

# ------------------------------------------------------------ usage errors
expect_usage_error "no command" --24h
expect_usage_error "unknown option" --bogus today
expect_usage_error "unknown command" frobnicate
expect_usage_error "--style without a value" --style
expect_usage_error "--style 3" --style 3 today
expect_usage_error "--city without a value" --city
expect_usage_error "--city empty" --city "" today
expect_usage_error "--city unknown" --city "Atlantis Under The Sea" today
grep -q "unknown city 'Atlantis Under The Sea'" "$E2E_HOME/stderr" || fail "the unknown city is not named: $(cat "$E2E_HOME/stderr")"
expect_usage_error "--language without a value" --language
expect_usage_error "--language klingon" --language klingon today
expect_usage_error "--language with capitals" --language English today
expect_usage_error "--dst-automatic without a value" --dst-automatic
expect_usage_error "--dst-automatic maybe" --dst-automatic maybe today
expect_usage_error "--dst-automatic 1" --dst-automatic 1 today
expect_usage_error "--hebrew-numerals without a value" --hebrew-numerals
expect_usage_error "--hebrew-numerals yes" --hebrew-numerals yes today
expect_usage_error "an option after the command is the command's" today --24h
expect_eq "the settings file is never written by a failed run" "$before" "$(sha256sum < "$SETTINGS")"

# ------------------------------------------------------------ manual page
# It names every command and option of --help (roff writes - as \-).
MAN="$LUMARO_SOURCE_DIR/doc/lumaro-cli.1"
man_text=$(sed 's/\\-/-/g; s/\\f[BIR]//g' "$MAN")
for c in $COMMANDS; do
  printf '%s\n' "$man_text" | grep -q "^\.BI\{0,1\} \"\{0,1\}$c\b" || fail "the manual page has no command $c"
done
for o in $(printf '%s\n' "$help" | sed -n 's/^  \(--[a-z0-9-]*\).*/\1/p'); do
  printf '%s\n' "$man_text" | grep -q -- "$o" || fail "the manual page has no option $o"
done
for s in "EXIT STATUS" "ENVIRONMENT" "FILES"; do
  grep -q "^\.SH $s" "$MAN" || fail "the manual page has no $s"
done

# ------------------------------------------------------------ bash completion
# Its lists are those of --help.
COMPLETION="$LUMARO_SOURCE_DIR/data/completion/lumaro-cli"
bash -n "$COMPLETION" || fail "the completion script does not parse"
completion_commands=$(sed -n 's/^ *local commands="\(.*\)"/\1/p' "$COMPLETION")
expect_eq "completion commands" "$COMMANDS" "$completion_commands"
help_options=$(printf '%s\n' "$help" | sed -n 's/^  \(--[a-z0-9-]*\).*/\1/p' | tr '\n' ' ' | sed 's/ $//')
completion_options=$(sed -n 's/^ *local options="\(.*\)"/\1/p' "$COMPLETION")
expect_eq "completion options" "$help_options" "$completion_options"
# Completing in a shell: the commands, a TYPE letter and paper names.
complete_words() {
  bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _lumaro_cli; printf "%s\n" "${COMPREPLY[@]}"' \
    _ "$COMPLETION" "$@" | sort | tr '\n' ' ' | sed 's/ $//'
}
expect_eq "complete 'm'" "molad month" "$(complete_words lumaro-cli m)"
expect_eq "complete after --24h" "today" "$(complete_words lumaro-cli --24h to)"
expect_eq "complete TYPE" "A B Y" "$(complete_words lumaro-cli anniversary '')"
expect_eq "complete --paper" "A4 Legal Letter" "$(complete_words lumaro-cli month 2026-04 --paper '')"
expect_eq "complete month --heb" "--hebrew-month" "$(complete_words lumaro-cli month --heb)"
expect_eq "complete --language" "english hebrew yiddish" "$(complete_words lumaro-cli --language '')"
expect_eq "complete --hebrew-numerals" "off on" "$(complete_words lumaro-cli --hebrew-numerals '')"
expect_eq "complete --city" "Jerusalem" "$(complete_words lumaro-cli --city Jerus)"

finish

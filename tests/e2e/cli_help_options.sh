#!/bin/bash
# lumaro-cli --help, COMMAND --help with an example that runs, --version (of both programs, against
# the project version), and the manual page and bash completion against --help.
source "$(dirname "$0")/lib/common.sh"
help=$("$LUMARO_CLI" --help)
expect_eq "--help exit status and first line" "0 usage: lumaro-cli [OPTION]... COMMAND [ARGUMENT]..." "$? $(head -1 <<< "$help")"
COMMANDS=$(sed -n '/^Commands:/,/^$/s/^  \([a-z][a-z-]*\).*/\1/p' <<< "$help" | paste -sd' ')
expect_eq "the commands of --help" "today now reminders upcoming day zmanim dump times minor-days learning ics csv month year-sheet zmanim-sheet molad anniversary eval indicator-autostart mourning" "$COMMANDS"
expect_eq "the options of --help" "--israel --diaspora --style 1|2 --yom-haatsmaut weekday|luach --city NAME --12h --24h --language LANGUAGE \
--dst-automatic on|off --sun classic|precise --elevation on|off --preset NAME --hebrew-numerals on|off --help --version" \
  "$(sed -n 's/^  \(--[a-z0-9-]* \{0,1\}[A-Z0-9|a-z]*\) .*/\1/p' <<< "$help" | sed 's/ *$//' | paste -sd' ')"
OPTIONS=$(sed -n 's/^  \(--[a-z0-9-]*\).*/\1/p' <<< "$help" | paste -sd' ')

version=$(sed -n 's/^project(lumaro VERSION \([0-9.]*\) .*/\1/p' "$LUMARO_SOURCE_DIR/CMakeLists.txt")
version+=$(sed -n 's/^set(LUMARO_VERSION_SUFFIX "\(.*\)")/\1/p' "$LUMARO_SOURCE_DIR/CMakeLists.txt")
expect_eq "lumaro-cli --version" "lumaro-cli $version" "$("$LUMARO_CLI" --version)"
if [ -n "${LUMARO_GUI:-}" ]; then  # no display needed
  expect_eq "lumaro --version" "lumaro $version" "$(env -u DISPLAY "$LUMARO_GUI" --version)"
  env -u DISPLAY "$LUMARO_GUI" --help | grep -q '^usage: lumaro' || fail "lumaro --help"
fi

# COMMAND --help: its usage, and an example (plain words, quotes, one redirection at most) that runs.
cd "$W"
for c in $COMMANDS; do
  out=$("$LUMARO_CLI" "$c" --help 2>&1)
  expect_eq "$c --help" "0 usage: lumaro-cli [OPTION]... $c " "$? $(head -1 <<< "$out" | cut -c1-$((31 + ${#c})))"
  example=$(sed -n 's/^example: lumaro-cli //p' <<< "$out")
  [ -n "$example" ] || { fail "$c --help has no example"; continue; }
  eval "\"\$LUMARO_CLI\" $example" > "$E2E_HOME/example.out" 2> "$E2E_HOME/example.err" ||
    fail "the example of $c: $example ($(head -c 200 "$E2E_HOME/example.err"))"
done
[ "$(head -c 5 april.pdf)" = "%PDF-" ] || fail "the month example wrote no PDF"

# The manual page names every command and option (roff writes - as \-); the completion's lists are --help's.
man_text=$(sed 's/\\-/-/g; s/\\f[BIR]//g' "$LUMARO_SOURCE_DIR/doc/lumaro-cli.1")
for c in $COMMANDS; do grep -q "^\.BI\{0,1\} \"\{0,1\}$c\b" <<< "$man_text" || fail "the manual page has no command $c"; done
for o in $OPTIONS; do grep -q -- "$o" <<< "$man_text" || fail "the manual page has no option $o"; done
COMPLETION="$LUMARO_SOURCE_DIR/data/completion/lumaro-cli"
expect_eq "completion lists" "$COMMANDS|$OPTIONS" \
  "$(sed -n 's/^ *local commands="\(.*\)"/\1/p' "$COMPLETION")|$(sed -n 's/^ *local options="\(.*\)"/\1/p' "$COMPLETION")"
while IFS=$'\t' read -r words offered; do
  eval "set -- lumaro-cli $words"
  expect_eq "complete '$words'" "$offered" "$(bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _lumaro_cli
    printf "%s\n" "${COMPREPLY[@]}"' _ "$COMPLETION" "$@" | sort | paste -sd' ')"
done < <(grep -v '^#' "$LUMARO_TEST_DATADIR/e2e/completion.tsv")
finish

#!/bin/bash
# lumaro-cli --help, COMMAND --help with an example that runs, --version (of
# both programs), and the manual page and bash completion against --help.
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
expect_eq "--help first line" "usage: lumaro-cli [OPTION]... COMMAND [ARGUMENT]..." "$(printf '%s\n' "$help" | head -1)"
expect_eq "the options of --help" "--israel --diaspora --style 1|2 --yom-haatsmaut weekday|luach --city NAME --12h --24h --language LANGUAGE \
--dst-automatic on|off --sun classic|precise --elevation on|off --hebrew-numerals on|off --help --version" \
  "$(printf '%s\n' "$help" | sed -n 's/^  \(--[a-z0-9-]* \{0,1\}[A-Z0-9|a-z]*\) .*/\1/p' | sed 's/ *$//' | tr '\n' ' ' | sed 's/ $//')"

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

# ------------------------------------------------------------ bash completion
# Its lists are those of --help.
COMPLETION="$LUMARO_SOURCE_DIR/data/completion/lumaro-cli"
completion_commands=$(sed -n 's/^ *local commands="\(.*\)"/\1/p' "$COMPLETION")
expect_eq "completion commands" "$COMMANDS" "$completion_commands"
help_options=$(printf '%s\n' "$help" | sed -n 's/^  \(--[a-z0-9-]*\).*/\1/p' | tr '\n' ' ' | sed 's/ $//')
completion_options=$(sed -n 's/^ *local options="\(.*\)"/\1/p' "$COMPLETION")
expect_eq "completion options" "$help_options" "$completion_options"
# Completing in a shell.
while IFS=$'\t' read -r words offered; do
  eval "set -- lumaro-cli $words"
  expect_eq "complete '$words'" "$offered" "$(bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _lumaro_cli
    printf "%s\n" "${COMPREPLY[@]}"' _ "$COMPLETION" "$@" | sort | tr '\n' ' ' | sed 's/ $//')"
done < <(grep -v '^#' "$LUMARO_TEST_DATADIR/e2e/completion.tsv")
finish

# Shared helpers of the end-to-end tests (sourced by each tests/e2e/*.sh). Every test runs with a
# private HOME so the user's files are never touched; W is a work folder inside it.
set -u
: "${LUMARO_CLI:?LUMARO_CLI must name the lumaro-cli binary}"
E2E_FAILURES=0
E2E_HOME=$(mktemp -d "${TMPDIR:-/tmp}/lumaro-e2e.XXXXXX")
export HOME="$E2E_HOME"
W="$E2E_HOME/work"
mkdir -p "$HOME/.lumaro" "$W"
trap 'rm -rf "$E2E_HOME"' EXIT
CULMUS_FONT=/usr/share/fonts/X11/Type1/AharoniCLM-Book.pfa
OUT_DIR=${LUMARO_SCREENSHOT_DIR:-$(pwd)/screenshots}  # PNGs kept for people to look at

fail() { echo "FAIL: $*" >&2; E2E_FAILURES=$((E2E_FAILURES + 1)); }
finish() { [ "$E2E_FAILURES" -eq 0 ] && echo "all checks passed" && exit 0; echo "$E2E_FAILURES check(s) failed" >&2; exit 1; }
# expect_eq NAME EXPECTED ACTUAL
expect_eq() {
  [ "$2" = "$3" ] || { fail "$1"; printf '  expected: %q\n  actual:   %q\n' "$2" "$3" >&2; }
}
# sorted_times FILE: the H:MM times of a text, sorted, on one line.
sorted_times() { grep -oE '\b[0-9]{1,2}:[0-9]{2}\b' "$1" | sort | tr '\n' ' '; }

# gs_render NAME FILE [FORBIDDEN_REGEX]: ghostscript renders FILE without any complaint (without -q it
# reports substituted or missing fonts) and writes the page's text to FILE.txt (blanks squeezed).
gs_render() {
  local log bad
  log=$(gs -dSAFER -dBATCH -dNOPAUSE -sDEVICE=txtwrite -sOutputFile="$2.raw" "$2" 2>&1) || fail "$1: gs failed"
  bad=$(printf '%s\n' "$log" | grep -E "Error|Substituting font|Can't find|Unrecoverable|Warning${3:+|$3}")
  [ -z "$bad" ] || fail "$1: gs says: $bad"
  tr -d '\r' < "$2.raw" | tr -s ' ' > "$2.txt"
}
need_print_tools() {
  export LC_ALL=C.UTF-8
  command -v gs > /dev/null || { fail "ghostscript (gs) is missing (scripts/install-deps.sh installs it)"; finish; }
  [ -r "$CULMUS_FONT" ] || { fail "$CULMUS_FONT is missing (package culmus)"; finish; }
  mkdir -p "$OUT_DIR" "$HOME/.lumaro/translations"
}
# png FILE NAME: a PNG of a printout in OUT_DIR.
png() { gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -r72 -dTextAlphaBits=4 -dGraphicsAlphaBits=4 \
  -sOutputFile="$OUT_DIR/$2.png" "$1" || fail "PNG $2"; }

# run_cases FILE: each row of a case file runs the CLI in an empty folder with its settings file and
# arguments and checks the exit status and output (the file's header explains the columns). A usage
# error (status 2) is one line on stderr, nothing on stdout, and no file left behind.
run_cases() {
  local name settings args status expect out err got argv line row
  while IFS= read -r row; do
    [[ $row == '#'* ]] && continue
    IFS=$'\x1f' read -r name settings args status expect <<< "${row//$'\t'/$'\x1f'}"  # keeps empty fields
    rm -rf "$HOME/.lumaro/kivrasettings" "$W" && mkdir -p "$W" && cd "$W" || return
    [ -n "$settings" ] && printf '%b\n' "$settings" > "$HOME/.lumaro/kivrasettings"
    mapfile -d '' argv < <(printf '%s' "$args" | xargs printf '%s\0')
    out=$("$LUMARO_CLI" "${argv[@]}" 2> "$E2E_HOME/stderr")
    got=$?
    err=$(cat "$E2E_HOME/stderr")
    expect=$(printf '%b' "$expect")
    [ "$got" = "$status" ] || { fail "$name: exit status $got, expected $status ($err)"; continue; }
    if [ "$status" = 2 ]; then
      [ -z "$out" ] && [ -n "$err" ] && [ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] && [ -z "$(ls -A)" ] ||
        fail "$name: not one line on stderr, nothing on stdout and no file: $err $(ls -A)"
      [[ $err == *"$expect"* ]] || fail "$name: stderr lacks '$expect': $err"
    elif [[ $expect == '='* ]]; then
      expect_eq "$name" "${expect:1}" "$out"
    elif [[ $expect == '!'* ]]; then
      [[ $out != *"${expect:1}"* ]] || fail "$name: '${expect:1}' is in the output"
    else
      while IFS= read -r line; do
        printf '%s\n' "$out" | grep -qF -- "$line" || fail "$name: no line '$line' in: $(printf '%s' "$out" | head -c 600)"
      done <<< "$expect"
    fi
  done < "$1"
  cd "$E2E_HOME" && rm -f "$HOME/.lumaro/kivrasettings"
}

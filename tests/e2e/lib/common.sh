# Shared helpers for the end-to-end tests (sourced by each tests/e2e/*.sh).
# Every test runs with a private HOME so the user's files are never touched.
set -u

: "${LUMARO_CLI:?LUMARO_CLI must name the lumaro-cli binary}"
E2E_FAILURES=0
E2E_HOME=$(mktemp -d "${TMPDIR:-/tmp}/lumaro-e2e.XXXXXX")
export HOME="$E2E_HOME"
mkdir -p "$HOME/.lumaro"
trap 'rm -rf "$E2E_HOME"' EXIT

fail() {
  echo "FAIL: $*" >&2
  E2E_FAILURES=$((E2E_FAILURES + 1))
}

# expect_eq NAME EXPECTED ACTUAL
expect_eq() {
  if [ "$2" != "$3" ]; then
    fail "$1"
    echo "  expected: $(printf '%q' "$2")" >&2
    echo "  actual:   $(printf '%q' "$3")" >&2
  fi
}

# expect_usage_error NAME ARGS...: exit status 2, one line on stderr, nothing on stdout.
expect_usage_error() {
  local name=$1
  shift
  local out err status
  out=$("$LUMARO_CLI" "$@" 2>"$E2E_HOME/stderr")
  status=$?
  err=$(cat "$E2E_HOME/stderr")
  [ "$status" -eq 2 ] || fail "$name: exit status $status, expected 2"
  [ -z "$out" ] || fail "$name: printed on stdout: $out"
  [ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] && [ -n "$err" ] || fail "$name: stderr is not one line: $err"
}

# gs_render NAME FILE [FORBIDDEN_REGEX]: ghostscript renders FILE without
# any complaint, and its text device writes the page's text lines to
# FILE.txt (blanks squeezed, CR removed). Without -q ghostscript reports
# substituted or missing fonts, which would otherwise pass silently.
gs_render() {
  local name=$1 file=$2 forbidden=${3:-}
  local log status bad
  log=$(gs -dSAFER -dBATCH -dNOPAUSE -sDEVICE=txtwrite -sOutputFile="$file.raw" "$file" 2>&1)
  status=$?
  [ "$status" -eq 0 ] || fail "$name: gs exit status $status"
  bad=$(printf '%s\n' "$log" | grep -E "Error|Substituting font|Can't find|Unrecoverable|Warning${forbidden:+|$forbidden}")
  [ -z "$bad" ] || fail "$name: gs says: $bad"
  tr -d '\r' < "$file.raw" | tr -s ' ' > "$file.txt"
}

# need_print_tools: ghostscript and the Hebrew print font are there (or the
# test fails); W is a work folder, and png FILE NAME keeps a PNG of a printout
# for people to look at (LUMARO_SCREENSHOT_DIR, default ./screenshots).
CULMUS_FONT=/usr/share/fonts/X11/Type1/AharoniCLM-Book.pfa
OUT_DIR=${LUMARO_SCREENSHOT_DIR:-$(pwd)/screenshots}
W="$E2E_HOME/work"
need_print_tools() {
  export LC_ALL=C.UTF-8
  command -v gs > /dev/null || { fail "ghostscript (gs) is missing (scripts/install-deps.sh installs it)"; finish; }
  [ -r "$CULMUS_FONT" ] || { fail "$CULMUS_FONT is missing (package culmus)"; finish; }
  mkdir -p "$OUT_DIR" "$W" "$HOME/.lumaro/translations"
}
png() { gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -r72 -dTextAlphaBits=4 -dGraphicsAlphaBits=4 \
  -sOutputFile="$OUT_DIR/$2.png" "$1" || fail "PNG $2"; }

finish() {
  if [ "$E2E_FAILURES" -ne 0 ]; then
    echo "$E2E_FAILURES check(s) failed" >&2
    exit 1
  fi
  echo "all checks passed"
  exit 0
}

# run_cases FILE: each row of a case file (tests/data/e2e/*.tsv) runs the
# CLI with its settings file and arguments and checks the exit status and
# output (the file's header explains the columns).
run_cases() {
  local name settings args status expect out err got argv line row
  while IFS= read -r row; do
    [[ $row == '#'* ]] && continue
    # Tabs are whitespace to read: empty fields would vanish.
    IFS=$'\x1f' read -r name settings args status expect <<< "${row//$'\t'/$'\x1f'}"
    rm -f "$HOME/.lumaro/kivrasettings"
    [ -n "$settings" ] && printf '%b\n' "$settings" > "$HOME/.lumaro/kivrasettings"
    mapfile -d '' argv < <(printf '%s' "$args" | xargs printf '%s\0')
    out=$("$LUMARO_CLI" "${argv[@]}" 2> "$E2E_HOME/stderr")
    got=$?
    err=$(cat "$E2E_HOME/stderr")
    expect=$(printf '%b' "$expect")
    [ "$got" = "$status" ] || { fail "$name: exit status $got, expected $status ($err)"; continue; }
    if [ "$status" = 2 ]; then
      [ -z "$out" ] && [ -n "$err" ] && [ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] ||
        fail "$name: not one line on stderr and nothing on stdout: $err"
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
  rm -f "$HOME/.lumaro/kivrasettings"
}

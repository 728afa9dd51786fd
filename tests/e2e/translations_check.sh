#!/bin/bash
# scripts/check-translations.py passes on the sources and translations as they are, and on a copy
# with one fault put in (a row of translation_faults.tsv) fails naming it.
source "$(dirname "$0")/lib/common.sh"
T="$E2E_HOME/tree"
[ -r /usr/share/fonts/X11/Type1/AharoniCLM-Book.afm ] || fail "the culmus fonts are not installed (scripts/install-deps.sh installs them)"
while IFS=$'\037' read -r name file text replacement args status expect; do
  rm -rf "$T" && mkdir -p "$T/data" "$T/tests/data" && cp -r "$LUMARO_SOURCE_DIR/src" "$T/src" &&
    cp -r "$LUMARO_SOURCE_DIR/data/translations" "$T/data/" && cp "$LUMARO_TEST_DATADIR/translation_sources.tsv" "$T/tests/data/"
  if [ -n "$file" ] && [ -z "$text$replacement" ]; then
    rm "$T/$file"
  elif [ -n "$file" ] && [ -z "$text" ]; then
    printf '%b\n' "$replacement" >> "$T/$file"
  elif [ -n "$file" ]; then
    grep -qF -- "$text" "$T/$file" || fail "$name: no line with '$text' in $file"
    TEXT=$text NEW=$(printf '%b' "$replacement") awk 'index($0, ENVIRON["TEXT"]) { if (ENVIRON["NEW"] != "") print ENVIRON["NEW"]; next } 1' \
      "$LUMARO_SOURCE_DIR/$file" > "$T/$file"
  fi
  out=$(python3 "$LUMARO_SOURCE_DIR/scripts/check-translations.py" --root "$T" $args 2>/dev/null)  # the arguments are words
  expect_eq "$name: exit status" "$status" "$?"
  grep -qE -- "$expect" <<< "$out" || fail "$name: no line matching '$expect': $(head -5 <<< "$out")"
done < <(grep -v '^#' "$LUMARO_TEST_DATADIR/e2e/translation_faults.tsv" | tr '\t' '\037')
finish

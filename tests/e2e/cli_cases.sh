#!/bin/bash
# lumaro-cli: every command and one-run option with the settings file, the
# output lines and the usage errors of tests/data/e2e/cli_cases.tsv.
source "$(dirname "$0")/lib/common.sh"
cp "$LUMARO_TEST_DATADIR/e2e/anniversaries" "$HOME/.lumaro/kivraanni"
printf 'CurrentCity: "Jerusalem"\n' > "$HOME/.lumaro/kivrasettings"
before=$(sha256sum < "$HOME/.lumaro/kivrasettings")
"$LUMARO_CLI" --city Haifa --12h --language yiddish --sun precise today > /dev/null
expect_eq "one-run options never write the settings" "$before" "$(sha256sum < "$HOME/.lumaro/kivrasettings")"
run_cases "$LUMARO_TEST_DATADIR/e2e/cli_cases.tsv"
finish

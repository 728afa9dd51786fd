#!/bin/bash
# Kills a process with SIGKILL in the middle of saving the settings and the
# anniversaries, many times: each file must always hold either the old or the
# new content, never a part, and no temporary file may pile up.
source "$(dirname "$0")/lib/common.sh"
: "${LUMARO_ATOMIC_WRITER:?LUMARO_ATOMIC_WRITER must name the atomic_writer helper}"

ROUNDS=${KILL_ROUNDS:-60}
settings="$HOME/.lumaro/kivrasettings"
annis="$HOME/.lumaro/kivraanni"

# The writer saves two versions of each file in turn until it is killed.
"$LUMARO_ATOMIC_WRITER" "$HOME" > "$E2E_HOME/out" & pid=$!
for i in $(seq 200); do grep -q ready "$E2E_HOME/out" 2>/dev/null && break; sleep 0.05; done
kill -KILL $pid 2>/dev/null
wait $pid 2>/dev/null
grep -q ready "$E2E_HOME/out" || { fail "the writer did not start"; finish; }
declare -A seen_settings seen_annis
for round in $(seq "$ROUNDS"); do
  "$LUMARO_ATOMIC_WRITER" "$HOME" > /dev/null & pid=$!
  # A random moment between a few and a hundred milliseconds in.
  sleep "0.$(printf '%03d' $((RANDOM % 100 + 3)))"
  kill -KILL $pid 2>/dev/null
  wait $pid 2>/dev/null
  s=$(md5sum < "$settings" | cut -c1-32)
  a=$(md5sum < "$annis" | cut -c1-32)
  seen_settings[$s]=1
  seen_annis[$a]=1
  # Every line of each file is whole: 40 settings lines, 300 or 400 anniversary lines.
  expect_eq "settings lines after round $round" 40 "$(wc -l < "$settings")"
  n=$(wc -l < "$annis")
  [ "$n" -eq 300 ] || [ "$n" -eq 400 ] || fail "anniversaries file has $n lines after round $round"
  tail -c 1 "$settings" | od -c | grep -q '\\n' || fail "settings file ends mid-line after round $round"
done
# Only two distinct contents ever appear for each file.
[ "${#seen_settings[@]}" -le 2 ] || fail "${#seen_settings[@]} different settings contents seen"
[ "${#seen_annis[@]}" -le 2 ] || fail "${#seen_annis[@]} different anniversaries contents seen"
# A killed write may leave its temporary file; the program removes old ones when it starts.
left=$(find "$HOME/.lumaro" -name ".lumaro-tmp-*" | wc -l)
echo "rounds: $ROUNDS, settings versions seen: ${#seen_settings[@]}, anniversaries versions seen: ${#seen_annis[@]}, temporary files left: $left"
finish

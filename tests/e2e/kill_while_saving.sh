#!/bin/bash
# Kills a process with SIGKILL in the middle of saving the settings and the anniversaries, many
# times: each file always holds the old or the new content (tests/tools/atomic_writer.cpp writes
# two), never a part.
source "$(dirname "$0")/lib/common.sh"
: "${LUMARO_ATOMIC_WRITER:?LUMARO_ATOMIC_WRITER must name the atomic_writer helper}"
ROUNDS=${KILL_ROUNDS:-60}
settings="$HOME/.lumaro/kivrasettings"
annis="$HOME/.lumaro/kivraanni"
"$LUMARO_ATOMIC_WRITER" "$HOME" > "$E2E_HOME/out" & pid=$!
for i in $(seq 200); do grep -q ready "$E2E_HOME/out" 2>/dev/null && break; sleep 0.05; done
kill -KILL $pid 2>/dev/null; wait $pid 2>/dev/null
grep -q ready "$E2E_HOME/out" || { fail "the writer did not start"; finish; }
declare -A seen_settings seen_annis
for round in $(seq "$ROUNDS"); do
  "$LUMARO_ATOMIC_WRITER" "$HOME" > /dev/null & pid=$!
  sleep "0.$(printf '%03d' $((RANDOM % 100 + 3)))"  # a few to a hundred milliseconds in
  kill -KILL $pid 2>/dev/null; wait $pid 2>/dev/null
  seen_settings[$(md5sum < "$settings")]=1
  seen_annis[$(md5sum < "$annis")]=1
  n=$(wc -l < "$annis")
  [ "$(wc -l < "$settings")" -eq 40 ] && [ -z "$(tail -c 1 "$settings")" ] &&
    { [ "$n" -eq 300 ] || [ "$n" -eq 400 ]; } || fail "a file cut short after round $round"
done
[ "${#seen_settings[@]}" -le 2 ] && [ "${#seen_annis[@]}" -le 2 ] ||
  fail "${#seen_settings[@]} settings and ${#seen_annis[@]} anniversaries contents seen"
finish

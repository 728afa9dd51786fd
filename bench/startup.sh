#!/bin/bash
# Times the start of lumaro until its main window is mapped, on a private
# Xvfb display: the first start of a new user (no ~/.lumaro) and a later
# start of the same user, each several times; prints the median of each in
# milliseconds.
#
#   bench/startup.sh [LUMARO] [RUNS]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
LUMARO=${1:-$ROOT/build/lumaro}
RUNS=${2:-7}
[ -x "$LUMARO" ] || { echo "no lumaro at $LUMARO" >&2; exit 2; }
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || { echo "needs Xvfb and xdotool" >&2; exit 2; }

WORK=$(mktemp -d "${TMPDIR:-/tmp}/lumaro-startup.XXXXXX")
# A private display: a free number is tried until an Xvfb answers on it
# (another server may take the same number at the same moment).
XVFB=
trap '[ -n "$XVFB" ] && kill $XVFB 2>/dev/null; rm -rf "$WORK"' EXIT
for _ in $(seq 10); do
  export DISPLAY=":$((200 + RANDOM % 700))"
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  XVFB=$!
  for _ in $(seq 100); do
    xdotool getmouselocation >/dev/null 2>&1 && break 2
    kill -0 "$XVFB" 2>/dev/null || break
    sleep 0.05
  done
  kill "$XVFB" 2>/dev/null
  XVFB=
done
[ -n "$XVFB" ] || { echo "no Xvfb display could be started" >&2; exit 1; }

now_ms() { date +%s%3N; }

# start_once HOME: milliseconds from exec until a visible window of the
# program exists.
start_once() {
  local home=$1 t0 pid
  t0=$(now_ms)
  HOME=$home "$LUMARO" >/dev/null 2>"$WORK/stderr" &
  pid=$!
  until xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; do
    kill -0 "$pid" 2>/dev/null || { echo "lumaro exited before its window showed:" >&2; cat "$WORK/stderr" >&2; exit 1; }
    sleep 0.005
  done
  echo $(( $(now_ms) - t0 ))
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null || true
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

first=() later=()
for i in $(seq "$RUNS"); do
  home=$WORK/home$i
  mkdir -p "$home"
  first+=("$(start_once "$home")")
  # A later start: the same user, now with the settings and files the
  # first start wrote (closing by a signal keeps what was written at start).
  later+=("$(start_once "$home")")
done
printf 'first start (new user): %s ms median of %s (%s)\n' "$(printf '%s\n' "${first[@]}" | median)" "$RUNS" "${first[*]}"
printf 'later start:            %s ms median of %s (%s)\n' "$(printf '%s\n' "${later[@]}" | median)" "$RUNS" "${later[*]}"

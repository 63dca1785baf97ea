#!/bin/bash
# CTest's emulator for Windows programs: runs one .exe under Wine in the session
# that session.sh started (display, prefix, warm wineserver). The exit code of
# the program passes through.   wine-run.sh DIR program.exe [args...]
dir=${1:?usage: wine-run.sh DIR program.exe [args...]}; shift
export WINEPREFIX="$dir/prefix" WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="mscoree,mshtml="
if [ -f "$dir/display" ]; then export DISPLAY=$(cat "$dir/display"); fi
if [ ! -f "$WINEPREFIX/.kestrin-ready" ]; then
  echo "wine-run.sh: no Wine session in $dir; run scripts/wine/session.sh start $dir" >&2
  exit 1
fi
# Now and then Wine ends a program at once, before it runs, with no output at
# all; such a start is tried once more. A program that ran and failed is not.
# Rarer, a start hangs before the program prints anything; every program run
# here prints at once (GoogleTest's header, the random user's seed), so one
# silent for KESTRIN_START_TIMEOUT seconds (default 60) is ended and tried
# once more.
quiet=${KESTRIN_START_TIMEOUT:-60}
log=$(mktemp)
trap 'rm -f "$log"' EXIT
for attempt in 1 2; do
  start=$(date +%s%N)
  wine "$@" >"$log" 2>&1 &
  pid=$!
  hung=0
  while kill -0 "$pid" 2>/dev/null; do
    if [ ! -s "$log" ] && [ $(( ($(date +%s%N) - start) / 1000000000 )) -ge "$quiet" ]; then
      hung=1
      kill -9 "$pid" 2>/dev/null
      break
    fi
    sleep 0.05
  done
  wait "$pid" 2>/dev/null
  rc=$?
  took=$(( ($(date +%s%N) - start) / 1000000 ))
  if [ "$hung" = 1 ] && [ "$attempt" = 1 ]; then
    echo "wine-run.sh: $1 printed nothing in $quiet s; ended and started again" >&2
    continue
  fi
  if [ "$rc" = 0 ] || [ -s "$log" ] || [ "$took" -ge 2000 ] || [ "$attempt" = 2 ]; then break; fi
  echo "wine-run.sh: $1 ended after $took ms with exit code $rc and no output; starting it again" >&2
done
cat "$log"
exit "$rc"

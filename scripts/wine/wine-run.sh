#!/bin/bash
# CTest's emulator for Windows programs: runs one .exe under Wine in the session
# that session.sh started (display, prefix, warm wineserver). The exit code of
# the program passes through and its output is passed on as it comes.
#   wine-run.sh DIR program.exe [args...]      (DIR absolute or relative)
dir=${1:?usage: wine-run.sh DIR program.exe [args...]}; shift
if ! dir=$(cd "$dir" 2>/dev/null && pwd); then
  echo "wine-run.sh: no session folder $1; run scripts/wine/session.sh start DIR" >&2
  exit 1
fi
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
# once more. A program still running after KESTRIN_RUN_TIMEOUT seconds
# (default 290, under CTest's 300) is ended with what it started, saying so.
quiet=${KESTRIN_START_TIMEOUT:-60}
limit=${KESTRIN_RUN_TIMEOUT:-290}
name=${1##*/}
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# The Windows processes a program starts (Kestrin.exe, kestrin-clip.exe) leave
# its Unix process tree but keep its process group; the program runs as the
# leader of a group of its own, so the group is what it started. Wine's own
# processes (C:\windows\...: the desktop, its tray, the clipboard) may be
# started there too; they serve the whole session and are left alone.
group_members() {
  ps -eo pid=,pgid=,stat=,args= | awk -v g="$1" '
    $2 == g && $3 !~ /^Z/ { $2 = $3 = ""; if ($0 !~ /^ *[0-9]+ +(\/[^ ]*wine[^ ]* )?[Cc]:\\[Ww]indows\\/) print "  " $0 }'
}

# Ends what is left of the group and says what it was.
end_group() {
  local left
  left=$(group_members "$1")
  [ -n "$left" ] || return 0
  awk '{ print $1 }' <<<"$left" | xargs -r kill -KILL 2>/dev/null
  echo "wine-run.sh: $name $2; ended:" >&2
  printf '%s\n' "$left" >&2
}

# After a program was ended by force, the session's desktop process (it holds
# the tray and the clipboard) may still wait on it: it is ended too, and Wine
# starts a fresh one, with an empty tray, for the next program.
reset_desktop() {
  local p
  for p in $(pgrep -f 'explorer\.exe /desktop'); do
    if tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
      kill -KILL "$p" 2>/dev/null
    fi
  done
}

# When CTest ends this script at its timeout, the program and what it started
# are ended too, so a hung test cannot leave windows, tray icons or clipboard
# owners behind for the next one. The watcher holds no descriptor of CTest's.
watch_group() {
  (
    for fd in /proc/$BASHPID/fd/*; do fd=${fd##*/}; [ "$fd" -gt 2 ] && eval "exec $fd>&-"; done
    exec </dev/null >/dev/null 2>&1
    while kill -0 "$2" 2>/dev/null; do sleep 0.5; done
    if [ -n "$(group_members "$1")" ]; then
      end_group "$1" "was ended by CTest"
      reset_desktop
    fi
  ) &
}

for attempt in 1 2; do
  : >"$log"
  start=$(date +%s%N)
  # The program gets no descriptor but its output: a long-lived process it
  # starts (the desktop, Kestrin.exe) must not hold one of CTest's.
  (
    for fd in /proc/$BASHPID/fd/*; do fd=${fd##*/}; [ "$fd" -gt 2 ] && eval "exec $fd>&-"; done
    exec setsid wine "$@"
  ) >"$log" 2>&1 </dev/null &
  pid=$!
  watch_group "$pid" $$
  # The output reaches CTest's log while the program runs.
  tail -s 0.1 -c +1 -f --pid="$pid" "$log" &
  shown=$!
  hung=0
  while kill -0 "$pid" 2>/dev/null; do
    elapsed=$(( ($(date +%s%N) - start) / 1000000000 ))
    if [ ! -s "$log" ] && [ "$elapsed" -ge "$quiet" ]; then
      hung=1
      kill -KILL "$pid" 2>/dev/null
      break
    fi
    if [ "$elapsed" -ge "$limit" ]; then
      hung=2
      break
    fi
    sleep 0.05
  done
  if [ "$hung" = 2 ]; then
    disown "$pid"  # ended here: no job notice in the log
    sleep 0.3      # the last lines reach the log
    end_group "$pid" "still ran after $limit s"
    kill -KILL "$pid" 2>/dev/null
    reset_desktop
  fi
  wait "$pid" 2>/dev/null
  rc=$?
  wait "$shown" 2>/dev/null
  [ "$hung" = 2 ] && { rc=124; break; }
  end_group "$pid" "left processes running"
  took=$(( ($(date +%s%N) - start) / 1000000 ))
  if [ "$hung" = 1 ] && [ "$attempt" = 1 ]; then
    echo "wine-run.sh: $1 printed nothing in $quiet s; ended and started again" >&2
    continue
  fi
  if [ "$rc" = 0 ] || [ -s "$log" ] || [ "$took" -ge 2000 ] || [ "$attempt" = 2 ]; then break; fi
  echo "wine-run.sh: $1 ended after $took ms with exit code $rc and no output; starting it again" >&2
done
exit "$rc"

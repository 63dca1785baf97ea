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
exec wine "$@"

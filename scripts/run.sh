#!/bin/bash
# Builds Kestrin and starts it. On Linux it runs under Wine; without a display
# it starts a virtual one, opens Kestrin, saves a screenshot of its window to
# kestrin-screenshot.png (or the file given as the first argument) and closes it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/bootstrap.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" --target Kestrin kestrin-clip
bin="$root/build/windows/app"
session="$root/build/windows/wine"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  scripts/wine/session.sh start "$session" >/dev/null
  eval "$(scripts/wine/session.sh env "$session")"
  cd "$bin" && exec wine Kestrin.exe "$@"
fi

shot=${1:-kestrin-screenshot.png}
case "$shot" in /*) ;; *) shot="$root/$shot" ;; esac
scripts/wine/session.sh start "$session" >/dev/null
trap 'scripts/wine/session.sh stop "$session" >/dev/null' EXIT
eval "$(scripts/wine/session.sh env "$session")"
(cd "$bin" && wine Kestrin.exe >/dev/null 2>&1 &)
win=""
for i in $(seq 1 100); do
  win=$(xdotool search --onlyvisible --name '^Kestrin$' 2>/dev/null | head -1 || true)
  [ -n "$win" ] && break
  sleep 0.1
done
if [ -z "$win" ]; then echo "run.sh: Kestrin's window did not appear" >&2; exit 1; fi
sleep 1
import -window "$win" "$shot"
wine taskkill /im Kestrin.exe >/dev/null 2>&1 || true
echo "Kestrin opened; screenshot of its window: $shot"

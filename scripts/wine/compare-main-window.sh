#!/bin/bash
# Compares two builds of Kestrin.exe pixel for pixel: each is started at 96 DPI in
# the Windows test session with the same object on the clipboard (so that it
# opens showing it), the screen is taken, and the number of differing pixels is
# printed (0: the same window). Screens are kept in DIR (default build/compare).
#   compare-main-window.sh OLD.exe NEW.exe [DIR]
set -euo pipefail
old=$(realpath "${1:?usage: compare-main-window.sh OLD.exe NEW.exe [DIR]}")
new=$(realpath "${2:?usage: compare-main-window.sh OLD.exe NEW.exe [DIR]}")
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${3:-$root/build/compare}
mkdir -p "$out"
out=$(cd "$out" && pwd)
session="$root/build/windows/wine"
clip="$root/build/windows/tools/kestrin-clip.exe"
[ -x "$clip" ] || { echo "compare-main-window.sh: build the windows preset first" >&2; exit 1; }
"$root/scripts/wine/session.sh" start "$session" >/dev/null
eval "$("$root/scripts/wine/session.sh" env "$session")"
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
# A town with blocked cells, an entrance and passable cells.
line="AVWtest0.def 000011110000111100001111000011110011111111111111 001000000000000000000000000000000000000000000000 001111111 001111111 98 0 3 0"
n=0
for exe in "$old" "$new"; do
  n=$((n + 1))
  rm -rf "$out/run$n"; mkdir -p "$out/run$n"; cp "$exe" "$out/run$n/Kestrin.exe"
  wine "$clip" put --line "$line" >/dev/null
  (cd "$out/run$n" && exec wine Kestrin.exe >/dev/null 2>&1) &
  sleep 6
  import -window root "$out/screen$n.png"
  pkill -x Kestrin.exe || true
  wait || true
done
echo "$(compare -metric AE "$out/screen1.png" "$out/screen2.png" "$out/difference.png" 2>&1) differing pixels"

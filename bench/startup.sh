#!/bin/bash
# Start-up of Kestrin.exe against the floor: a plain Win32 program that opens a
# window of the same size with the same kinds and number of child windows,
# created directly with the API (floor-window.cpp). Both are timed by
# start-timer.cpp (process start until the first visible window is idle),
# alternately, and the ratio of the medians is printed.
#   startup.sh PATH/TO/Kestrin.exe [RUNS] [ROUNDS]
# Needs MinGW-w64 and wine. Without $WINEPREFIX it runs in the Windows build's
# Wine session (prefix with fonts, unmanaged windows, virtual display).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exe=$(readlink -f "${1:-$root/build/windows/app/Kestrin.exe}"); runs=${2:-11}; rounds=${3:-3}
here=$root/bench/startup
work=${TMPDIR:-/tmp}/kestrin-startup; mkdir -p "$work"
cxx=x86_64-w64-mingw32-g++-posix
# the floor carries the same common-controls manifest as Kestrin
(cd "$here" && printf '1 24 "floor-window.manifest"\n' > "$work/floor.rc" &&
  x86_64-w64-mingw32-windres -I "$here" "$work/floor.rc" -O coff -o "$work/floor-res.o")
$cxx -O2 -static -municode -mwindows "$here/floor-window.cpp" "$work/floor-res.o" -o "$work/floor.exe"
$cxx -O2 -static -municode "$here/start-timer.cpp" -o "$work/start-timer.exe"
source "$root/bench/startup/common.sh"
bench_wine_session
# the program starts in an empty folder: no Data, no help files
mkdir -p "$work/run" && cd "$work/run"
wine "$work/start-timer.exe" 2 "$(winepath -w "$work/floor.exe")" >/dev/null 2>&1 || true   # warm-up
fl=(); ks=()
for r in $(seq 1 "$rounds"); do
  f=$(wine "$work/start-timer.exe" "$runs" "$(winepath -w "$work/floor.exe")" 2>/dev/null | median)
  k=$(wine "$work/start-timer.exe" "$runs" "$(winepath -w "$exe")" 2>/dev/null | median)
  echo "round $r: floor $f ms, Kestrin $k ms, ratio $(echo "scale=2; $k / $f" | bc)"
  fl+=("$f"); ks+=("$k")
done
mf=$(middle "${fl[@]}")
mk=$(middle "${ks[@]}")
echo "median of rounds: floor $mf ms, Kestrin $mk ms, ratio $(echo "scale=2; $mk / $mf" | bc)"

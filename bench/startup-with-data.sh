#!/bin/bash
# Start-up of Kestrin.exe with the game's files present against start-up without
# them: one folder holds Data\H3sprite.lod, an archive of 10,000 entries and no
# catalogue text (so the catalogue is looked for in the archive, which reads its
# table), the other nothing. Both are timed by bench/startup/start-timer.cpp
# (process start until the first visible window is idle), alternately, and the
# ratio of the medians is printed (target: at most 1.15).
#   startup-with-data.sh [PATH/TO/Kestrin.exe] [RUNS] [ROUNDS]
# Needs MinGW-w64, python3 and wine. Without $WINEPREFIX it runs in the Windows
# build's Wine session, as bench/startup.sh does.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exe=$(readlink -f "${1:-$root/build/windows/app/Kestrin.exe}"); runs=${2:-11}; rounds=${3:-3}
work=${TMPDIR:-/tmp}/kestrin-startup-data; mkdir -p "$work"
x86_64-w64-mingw32-g++-posix -O2 -static -municode "$root/bench/startup/start-timer.cpp" -o "$work/start-timer.exe"
rm -rf "$work/empty" "$work/game" && mkdir -p "$work/empty" "$work/game/Data"
# The archive: 10,000 small entries, every other one deflated, in the game's layout.
python3 - "$work/game/Data/H3sprite.lod" <<'PY'
import struct, sys, zlib
count = 10000
entries, data = [], b""
offset = 92 + 32 * count
for i in range(count):
    body = bytes([i % 256]) * 64
    packed = zlib.compress(body) if i % 2 == 0 else b""
    stored = packed or body
    entries.append(struct.pack("<16sIIII", b"AVX%06d.DEF" % i, offset + len(data), len(body), 0x43,
                               len(packed)))
    data += stored
with open(sys.argv[1], "wb") as out:
    out.write(b"LOD\0" + struct.pack("<II", 200, count) + bytes(80) + b"".join(entries) + data)
PY
source "$root/bench/startup/common.sh"
bench_wine_session
timer=$(winepath -w "$work/start-timer.exe"); program=$(winepath -w "$exe")
(cd "$work/empty" && wine "$timer" 2 "$program" >/dev/null 2>&1) || true   # warm-up
without=(); with=()
for r in $(seq 1 "$rounds"); do
  e=$(cd "$work/empty" && wine "$timer" "$runs" "$program" 2>/dev/null | median)
  g=$(cd "$work/game" && wine "$timer" "$runs" "$program" 2>/dev/null | median)
  echo "round $r: without Data $e ms, with a 10,000-entry archive $g ms, ratio $(echo "scale=2; $g / $e" | bc)"
  without+=("$e"); with+=("$g")
done
me=$(middle "${without[@]}")
mg=$(middle "${with[@]}")
echo "median of rounds: without Data $me ms, with a 10,000-entry archive $mg ms, ratio $(echo "scale=2; $mg / $me" | bc) (<= 1.15)"

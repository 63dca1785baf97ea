#!/bin/bash
# Runs every fuzz target for SECONDS each (default 600) under AddressSanitizer and
# UndefinedBehaviorSanitizer, seeded with the kept corpus, then merges what it
# found back into fuzz/corpus/<target> in minimised form. Prints executions,
# corpus size and findings per target; findings are kept in build/fuzz-long/.
#   fuzz-long.sh [SECONDS] [TARGET...]
# FUZZ_JOBS=N runs N fuzzing processes per target at once (default 1).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-600}
shift || true
bash scripts/bootstrap.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)" >/dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in fuzz/*.cmake; do targets+=("$(basename "$f" .cmake)"); done
fi
out="$root/build/fuzz-long"
mkdir -p "$out"
status=0
printf '%-16s %14s %8s %8s %8s %s\n' target executions seconds corpus findings artifacts
for t in "${targets[@]}"; do
  exe="build/fuzz/fuzz/$t"
  kept="fuzz/corpus/$t"
  [ -x "$exe" ] || { echo "fuzz-long.sh: no target $t" >&2; status=1; continue; }
  mkdir -p "$kept"
  grown="$out/$t/grown"; found="$out/$t/findings"
  rm -rf "$grown" "$found"; mkdir -p "$grown" "$found"
  log="$out/$t/run.log"
  # Findings stop one worker only; -fork keeps the others going for the whole time.
  "$exe" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -fork="${FUZZ_JOBS:-1}" -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
    -artifact_prefix="$found/" "$grown" "$kept" >"$log" 2>&1 || true
  # In fork mode the last status line "#N: ..." counts the executions of all jobs.
  execs=$(sed -n 's/^#\([0-9][0-9]*\):.*/\1/p' "$log" | tail -1)
  execs=${execs:-0}
  # Keep the smallest corpus that covers what the old and the new one cover.
  merged="$out/$t/merged"; rm -rf "$merged"; mkdir -p "$merged"
  "$exe" -merge=1 -timeout=10 -rss_limit_mb=2048 "$merged" "$kept" "$grown" >"$out/$t/merge.log" 2>&1 || true
  if [ -n "$(ls -A "$merged")" ]; then
    find "$kept" -maxdepth 1 -type f -name '[0-9a-f]*' -regextype posix-extended \
      -regex '.*/[0-9a-f]{40}' -delete
    cp -n "$merged"/* "$kept"/
  fi
  findings=$(find "$found" -type f | wc -l)
  [ "$findings" -gt 0 ] && status=1
  printf '%-16s %14s %8s %8s %8s %s\n' "$t" "$execs" "$seconds" "$(ls "$kept" | wc -l)" "$findings" "$found"
done
exit $status

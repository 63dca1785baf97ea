#!/bin/bash
# Runs the random user against Kestrin.exe in the Windows build's Wine session:
# a seeded stream of user actions and map-editor blocks, checked every 100
# actions. Builds the windows preset first when needed. A failing run prints its
# seed; the same seed gives the same run.
#   random-user.sh [ACTIONS] [SEED]      (defaults: 20000 actions, a random seed)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
actions=${1:-20000}
seed=${2:-$(od -An -N4 -tu4 /dev/urandom | tr -d ' ')}
cd "$root"
[ -f build/windows/build.ninja ] || cmake --preset windows >/dev/null
cmake --build --preset windows -j 2 --target random_user
session="$root/build/windows/wine"
if [ -z "${WINEPREFIX:-}" ]; then
  scripts/wine/session.sh start "$session" >/dev/null
  trap 'scripts/wine/session.sh stop "$session" >/dev/null' EXIT
  eval "$(scripts/wine/session.sh env "$session")"
fi
wine build/windows/tests/e2e/random-user.exe --actions "$actions" --seed "$seed" 2>&1 |
  grep --line-buffered -v 'Read access denied for device'

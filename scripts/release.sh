#!/bin/bash
# Builds the release (optimised, static, stripped) and writes the folder a map
# maker unpacks: dist/Kestrin/ with the program, its companion, the help texts
# and an empty Data folder with a note, plus dist/Kestrin-<version>.zip of it.
#   release.sh [DIR]     writes into DIR instead of dist/ (the test run uses build/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dist=${1:-$root/dist}
mkdir -p "$dist"
dist=$(cd "$dist" && pwd)
cd "$root"
bash scripts/bootstrap.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target Kestrin kestrin-clip
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/release/CMakeCache.txt)
[ -n "$version" ] || { echo "release.sh: no project version in the build" >&2; exit 1; }

exe=build/release/app/Kestrin.exe
size=$(stat -c %s "$exe")
if [ "$size" -ge 1048576 ]; then
  echo "release.sh: Kestrin.exe is $size bytes, over 1 MB" >&2
  exit 1
fi

out="$dist/Kestrin"
rm -rf "$out" "$dist/Kestrin-$version.zip"
mkdir -p "$out/Data"
cp "$exe" build/release/tools/kestrin-clip.exe "$out/"
cp app/help/ReadMe.txt app/help/ReadMeRU.txt "$out/"
cp app/help/DataFolder.txt "$out/Data/About this folder.txt"
(cd "$dist" && zip -q -r -X "Kestrin-$version.zip" Kestrin)
echo "release $version: $out ($size bytes Kestrin.exe), $dist/Kestrin-$version.zip"

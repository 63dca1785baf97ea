#!/bin/bash
# Runs a Windows program in the Wine session of DIR with the display's DPI set to
# DPI (the prefix's LogPixels, read by every process at its start). The session of
# DIR is its own prefix: the other tests keep running at 96.
#   at-dpi.sh DIR DPI program.exe [args...]
set -euo pipefail
dir=${1:?usage: at-dpi.sh DIR DPI program.exe [args...]}
dpi=${2:?usage: at-dpi.sh DIR DPI program.exe [args...]}
shift 2
case "$dpi" in *[!0-9]*|'') echo "at-dpi.sh: DPI must be a number" >&2; exit 2 ;; esac
here=$(cd "$(dirname "$0")" && pwd)
eval "$("$here/session.sh" env "$dir")"
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
exec "$here/wine-run.sh" "$dir" "$@"

#!/bin/bash
# Gives the Wine session in DIR a drive of 64 KiB (a tmpfs mounted at
# DIR/small-drive and linked into the prefix as LETTER), so that tests can fill
# a disk for real; "stop" takes it away again. Mounting needs root: where it
# cannot be done, "start" says why, leaves no drive and still succeeds, and the
# test that needs the drive reports itself skipped.
#   small-drive.sh start DIR LETTER     small-drive.sh stop DIR LETTER
set -uo pipefail
cmd=${1:?usage: small-drive.sh start|stop DIR LETTER}
dir=${2:?usage: small-drive.sh start|stop DIR LETTER}
letter=${3:?usage: small-drive.sh start|stop DIR LETTER}
letter=$(printf '%s' "${letter%:}" | tr 'A-Z' 'a-z'):
dir=$(cd "$dir" && pwd) || exit 1
mnt="$dir/small-drive"
link="$dir/prefix/dosdevices/$letter"

take_away() {
  rm -f "$link"
  if mountpoint -q "$mnt" 2>/dev/null; then
    umount "$mnt" 2>/dev/null || umount -l "$mnt"
  fi
}

case "$cmd" in
  start)
    if [ ! -d "$dir/prefix/dosdevices" ]; then
      echo "small-drive.sh: no Wine prefix in $dir; run scripts/wine/session.sh start $dir first" >&2
      exit 1
    fi
    if [ -e "$link" ] && [ "$(readlink "$link")" != "$mnt" ]; then
      echo "small-drive.sh: drive $letter is taken in the prefix ($(readlink "$link")); it is left alone" >&2
      exit 1
    fi
    take_away
    mkdir -p "$mnt"
    if ! why=$(mount -t tmpfs -o size=64k,mode=0755 kestrin-small-drive "$mnt" 2>&1); then
      echo "small-drive.sh: cannot mount a 64 KiB tmpfs at $mnt (${why:-no reason given});" \
           "the full-drive test is skipped"
      exit 0
    fi
    ln -s "$mnt" "$link"
    echo "small drive ready: ${letter^^} is $mnt, 64 KiB"
    ;;
  stop)
    take_away
    echo "small drive taken away"
    ;;
  *) echo "usage: small-drive.sh start|stop DIR LETTER" >&2; exit 2 ;;
esac

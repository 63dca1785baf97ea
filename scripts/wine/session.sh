#!/bin/bash
# Starts or stops the Wine session that Windows tests and the run command use:
# a virtual X display when there is none, a Wine prefix kept in DIR/prefix
# (made once, reused) and one persistent wineserver. "stop" ends only what
# "start" started. KESTRIN_SCREEN (default 1280x1024) sizes a new virtual display.
#   session.sh start DIR     session.sh stop DIR     session.sh env DIR
set -euo pipefail
cmd=${1:?usage: session.sh start|stop|env DIR}
dir=${2:?usage: session.sh start|stop|env DIR}
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
export WINEPREFIX="$dir/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64

# Runs a command fully detached: no inherited descriptors, so ctest never waits
# on a pipe held by Xvfb, the wineserver or Wine's service processes.
detached() {
  (
    for fd in /proc/$BASHPID/fd/*; do fd=${fd##*/}; [ "$fd" -gt 2 ] && eval "exec $fd>&-"; done
    exec </dev/null >/dev/null 2>&1
    exec setsid "$@"
  ) &
}

display_works() { [ -n "${1:-}" ] && DISPLAY="$1" xdpyinfo >/dev/null 2>&1; }

start_display() {
  if [ -f "$dir/display" ] && display_works "$(cat "$dir/display")"; then return; fi
  rm -f "$dir/display" "$dir/xvfb.pid"
  if display_works "${DISPLAY:-}"; then
    echo "$DISPLAY" > "$dir/display"
    return
  fi
  # Sessions started at the same time (ctest -j) must not pick the same number:
  # one of them at a time chooses, and a display counts as ours only while the
  # server we started runs (another one may have taken the number first).
  exec 7>>/tmp/.kestrin-displays.lock
  flock 7
  local n
  for n in $(seq 91 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    detached Xvfb ":$n" -screen 0 "${KESTRIN_SCREEN:-1280x1024}x24" -nolisten tcp
    local pid=$!
    echo "$pid" > "$dir/xvfb.pid"
    local i
    for i in $(seq 1 100); do
      kill -0 "$pid" 2>/dev/null || break
      if display_works ":$n"; then
        echo ":$n" > "$dir/display"
        exec 7>&-
        return
      fi
      sleep 0.1
    done
    kill "$pid" 2>/dev/null || true
    rm -f "$dir/xvfb.pid"
  done
  exec 7>&-
  echo "session.sh: could not start a virtual display" >&2
  exit 1
}

init_prefix() {
  [ -f "$WINEPREFIX/.kestrin-ready" ] && return
  rm -rf "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 </dev/null
  wineserver -w
  # Without a window manager every hide or destroy of a managed window waits 2 s.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  # Debian's Wine does not find its own fonts (MS Sans Serif, Tahoma, Marlett).
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  if [ -d /usr/share/wine/fonts ]; then
    ln -sf /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
  fi
  local face
  for face in 'Times New Roman=Liberation Serif' 'Arial=Liberation Sans' 'Courier New=Liberation Mono'; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${face%%=*}" /d "${face#*=}" /f >/dev/null 2>&1
  done
  wineserver -w
  touch "$WINEPREFIX/.kestrin-ready"
}

case "$cmd" in
  start)
    start_display
    export DISPLAY=$(cat "$dir/display")
    (
      flock 9
      init_prefix
      # rc 0: a new server was started (ours to stop); rc 2: one runs already.
      rc=0; wineserver -p </dev/null >/dev/null 2>&1 9>&- || rc=$?
      if [ "$rc" = 0 ]; then
        touch "$dir/wineserver.ours"
        # Wine's services start here, detached, not inside a test.
        detached wine cmd.exe /c exit
        wine cmd.exe /c exit </dev/null >/dev/null 2>&1 9>&- || true
      fi
    ) 9>>"$dir/.lock"
    echo "wine session ready: DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX"
    ;;
  stop)
    if [ -f "$dir/wineserver.ours" ]; then
      wineserver -k >/dev/null 2>&1 || true
      rm -f "$dir/wineserver.ours"
    fi
    if [ -f "$dir/xvfb.pid" ]; then
      kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
      rm -f "$dir/xvfb.pid" "$dir/display"
    fi
    echo "wine session stopped"
    ;;
  env)
    [ -f "$dir/display" ] && echo "export DISPLAY=$(cat "$dir/display")"
    echo "export WINEPREFIX=$WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='"
    ;;
  *) echo "usage: session.sh start|stop|env DIR" >&2; exit 2 ;;
esac

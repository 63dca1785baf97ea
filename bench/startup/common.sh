# Shared by the start-up benchmarks (sourced; needs $root): the Wine session and
# the medians of the start timer's output.

# Without $WINEPREFIX, the Windows build's Wine session (prefix with fonts,
# unmanaged windows, virtual display), stopped again when the script ends.
bench_wine_session() {
  if [ -z "${WINEPREFIX:-}" ]; then
    session="$root/build/windows/wine"
    "$root/scripts/wine/session.sh" start "$session" >/dev/null
    trap '"$root/scripts/wine/session.sh" stop "$session" >/dev/null' EXIT
    eval "$("$root/scripts/wine/session.sh" env "$session")"
  fi
  export WINEDEBUG=-all
}

# The median of one timer run (its "median N ms" line).
median() { sed -n 's/^median \([0-9.]*\) ms.*/\1/p'; }

# The middle of the values given (the median of the rounds).
middle() { printf '%s\n' "$@" | sort -n | sed -n "$(( ($# + 1) / 2 ))p"; }

# Sourced by bash scripts that drive Pellory.exe with real X input: an Xvfb of their own on
# a free display and a Wine prefix of their own that draws on it with the x11 driver.
#
#   . tools/x11-wine.sh
#   x11_up PREFIX          Xvfb, then PREFIX ready and its wineserver warm; exports DISPLAY,
#                          WINEPREFIX, WINEDEBUG, WINEDLLOVERRIDES
#   x11_down               stops both; safe to call more than once (use it in an EXIT trap)
#   x11_wait SECS CMD...   runs CMD every 0.1 s until it succeeds; fails after SECS
#   x11_q CMD...           CMD with /dev/null for its standard streams
#
# PREFIX is locked for the caller's lifetime, so two runs never share a wineserver. When it
# is missing it is copied from the Windows tests' prefix (~/.cache/pellory-wine/prefix, a
# booted one: seconds instead of a minute), or booted afresh when that is missing too.
# Managed=N: no window manager runs here, and without it Wine waits for one on every window.

X11_HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
X11_CACHE=$HOME/.cache/pellory-wine
X11_XVFB=
X11_LOCKED=
X11_PREFIX=

# The lock is fd 9. Every Wine daemon or X server started from here must not inherit it:
# one that outlived the caller would keep the prefix locked.
x11_q() { "$@" </dev/null >/dev/null 2>&1 9>&-; }

x11_wait() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
}

x11_up() {
  local prefix=$1 display_file
  mkdir -p "$X11_CACHE" "$(dirname "$prefix")"
  exec 9>"$prefix.lock"
  X11_LOCKED=1
  if ! flock -w 300 9; then
    echo "x11-wine.sh: $prefix is still in use after 300 s" >&2
    return 1
  fi

  display_file=$(mktemp)
  Xvfb -displayfd 4 -screen 0 1024x768x24 -nolisten tcp 4>"$display_file" </dev/null \
    >/dev/null 2>&1 9>&- &
  X11_XVFB=$!
  if ! x11_wait 20 test -s "$display_file"; then
    echo "x11-wine.sh: Xvfb did not start" >&2
    rm -f "$display_file"
    return 1
  fi
  export DISPLAY=:$(head -n1 "$display_file")
  rm -f "$display_file"

  export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  X11_PREFIX=$prefix
  if [[ ! -d $prefix && -d $X11_CACHE/prefix ]]; then
    # Under the Windows tests' lock: their wineserver may be writing that prefix right now.
    rm -rf "$prefix.tmp"
    flock -w 600 "$X11_CACHE/.lock" cp -a "$X11_CACHE/prefix" "$prefix.tmp" 9>&- &&
      mv "$prefix.tmp" "$prefix"
  fi
  # wine-up.sh sets Managed=N only when it switches the driver; a prefix that already draws
  # with x11 may have been made elsewhere.
  if ! grep -q '^"Managed"="N"' "$prefix/user.reg" 2>/dev/null; then
    x11_q wineserver -k || true
    x11_q wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
    x11_q wineserver -w || true
  fi
  x11_q sh "$X11_HERE/wine-up.sh" x11
}

x11_down() {
  # Only a server of the prefix locked here: a WINEPREFIX from outside is someone else's.
  if [[ -n $X11_PREFIX ]]; then
    WINEPREFIX=$X11_PREFIX x11_q wineserver -k || true
    WINEPREFIX=$X11_PREFIX x11_q wineserver -w || true
    X11_PREFIX=
  fi
  if [[ -n $X11_XVFB ]]; then
    kill "$X11_XVFB" 2>/dev/null || true
    wait "$X11_XVFB" 2>/dev/null || true
    X11_XVFB=
  fi
  if [[ -n $X11_LOCKED ]]; then
    exec 9>&-
    X11_LOCKED=
  fi
}

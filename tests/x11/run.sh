#!/bin/bash
# Pellory.exe under real mouse input: Xvfb, Wine's x11 driver and xdotool. Every case is a
# first start (the settings key deleted before) and prints one line; any failure makes the
# exit status non-zero.
#
#   tests/x11/run.sh [PELLORY_EXE]      (default build/windows/Pellory.exe)
#
# The Wine prefix is ~/.cache/pellory-wine/x11-prefix (PELLORY_X11_PREFIX to choose
# another), a copy of the Windows tests' prefix made on first use. Needs Xvfb and xdotool.
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
EXE=${1:-$ROOT/build/windows/Pellory.exe}
[[ -f $EXE ]] || { echo "x11: no $EXE" >&2; exit 1; }
EXE=$(cd "$(dirname "$EXE")" && pwd)/$(basename "$EXE")
. "$ROOT/tools/x11-wine.sh"

KEY='HKCU\Software\Vosk\Vosk Pellory'
VIEW_KEY="$KEY\\SaveData\\MainWindow\\View"
TITLE='^Vosk Pellory v'
# Where the Wine-drawn frame puts things, from the window's top-left corner (the X window
# holds the whole frame: Managed=N) and its top-right corner for the close box.
VIEW_ENTRY=(22 33)
CLOSE_BOX=(15 13)

PID=
WIN=
REASON=
FAILED=0
T0=$SECONDS

cleanup() {
  [[ -n $PID ]] && kill "$PID" 2>/dev/null
  x11_down
}
trap cleanup EXIT
trap 'exit 143' TERM INT HUP

fail() { REASON=$*; return 1; }
alive() { kill -0 "$PID" 2>/dev/null; }
gone() { ! alive; }

# geometry [WINDOW]: X, Y, WIDTH, HEIGHT of the window (default the main one).
geometry() { eval "$(xdotool getwindowgeometry --shell "${1:-$WIN}" 2>/dev/null)"; }

# reg_dword NAME: the View key's value NAME as a decimal number; fails when it is missing.
reg_dword() {
  local hex
  hex=$(wine reg query "$VIEW_KEY" /v "$1" </dev/null 2>/dev/null 9>&- | tr -d '\r' |
        awk -v name="$1" '$1 == name && $2 == "REG_DWORD" { print $3 }')
  [[ -n $hex ]] && echo $((hex))
}

# The X windows on screen other than the main one and those in $before: Wine's pop-up menus.
popups() {
  xdotool search --onlyvisible --name '' 2>/dev/null | grep -vxF -e "$WIN" -f <(printf '%s\n' "$before")
}

# A first start: no settings, then the window on screen at a size and place that have
# stopped changing.
start() {
  local last= now=
  x11_q wine reg delete "$KEY" /f
  # Any parameter keeps the post-install web page shut.
  wine "$EXE" x11-test </dev/null >/dev/null 2>&1 9>&- &
  PID=$!
  x11_wait 30 eval 'WIN=$(xdotool search --onlyvisible --name "$TITLE" 2>/dev/null | head -n1); [[ -n $WIN ]]' ||
    fail "no window titled 'Vosk Pellory v...' within 30 s" || return
  for _ in $(seq 50); do
    geometry && now="$X $Y $WIDTH $HEIGHT"
    [[ $now == "$last" ]] && return 0
    last=$now
    sleep 0.1
  done
  fail "the window kept moving: $now"
}

# stop: a click on the frame's close box, or a kill after 10 s.
stop() {
  if alive && geometry; then
    xdotool mousemove $((X + WIDTH - CLOSE_BOX[0])) $((Y + CLOSE_BOX[1])) click 1
    x11_wait 10 gone || { kill "$PID" 2>/dev/null; fail "the close box did not end the program"; }
  fi
}

# The next case starts with no copy still running: a running copy would take the start over.
finish() {
  if [[ -n $PID ]]; then
    if alive; then
      kill "$PID" 2>/dev/null
      x11_wait 10 gone
    fi
    wait "$PID" 2>/dev/null
  fi
  PID=
  WIN=
}

# --- Cases ---------------------------------------------------------------------------------

# open_view_menu: a click on the bar's View entry, then the pop-up on screen; sets MENU,
# MX, MY, MW, MH.
open_view_menu() {
  xdotool mousemove $((WX + VIEW_ENTRY[0])) $((WY + VIEW_ENTRY[1])) click 1
  x11_wait 10 eval 'MENU=$(popups | head -n1); [[ -n $MENU ]]' ||
    fail "no pop-up menu after a click on View ($1)" || return
  geometry "$MENU"
  MX=$X MY=$Y MW=$WIDTH MH=$HEIGHT
}

# tick ITEM: a digest of the View menu's tick column in row ITEM (0-3). The menu has four
# items of equal height inside a 3-pixel border.
tick() {
  local h=$(((MH - 6) / 4))
  import -display "$DISPLAY" -window "$MENU" -crop 18x$((h - 4))+2+$((3 + $1 * h + 2)) rgb:- | md5sum
}

case_view_menu() {
  start || return
  local before= WX=$X WY=$Y MENU MX MY MW MH stored
  before=$(popups)
  open_view_menu first || return
  # All four are ticked on a first start: rows 0 and 1 look alike.
  [[ $(tick 0) == $(tick 1) ]] || fail "Keep on Top and Right-Click Transform differ on a first start" ||
    return
  xdotool mousemove $((MX + 30)) $((MY + 3 + (MH - 6) / 8)) sleep 0.2 click 1
  x11_wait 5 eval '[[ -z $(popups) ]]' ||
    fail "the menu stayed open after the click on Keep on Top" || return
  # A press on the bar within half a second of a menu closing is taken as closing it.
  sleep 0.6
  open_view_menu again || return
  [[ $(tick 0) != $(tick 1) ]] || fail "Keep on Top is still ticked when the menu opens again" || return
  xdotool key Escape
  x11_wait 5 eval '[[ -z $(popups) ]]' || fail "Escape did not close the menu" || return
  stop || return
  stored=$(reg_dword KeepOnTop)
  [[ $stored == 0 ]] || fail "KeepOnTop is '$stored' after exit, not 0"
}

case_right_click() {
  start || return
  local width=$WIDTH
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 3
  x11_wait 10 eval 'geometry && ((WIDTH > 300))' ||
    fail "width $WIDTH after the right click (was $width), not past 300" || return
  stop || return
  local stored
  stored=$(reg_dword CompactView)
  [[ $stored == 0 ]] || fail "CompactView is '$stored' after exit, not 0"
}

case_drag() {
  start || return
  local x0=$X y0=$Y dx=80 dy=50 cx=$((X + WIDTH / 2)) cy=$((Y + HEIGHT / 2)) i
  xdotool mousemove $cx $cy sleep 0.1 mousedown 1
  for i in $(seq 10); do
    xdotool sleep 0.03 mousemove $((cx + dx * i / 10)) $((cy + dy * i / 10))
  done
  xdotool sleep 0.1 mouseup 1
  x11_wait 10 eval 'geometry && ((X == x0 + dx && Y == y0 + dy))' ||
    fail "window at $X,$Y after a drag by $dx,$dy from $x0,$y0" || return
  stop || return
  local sx sy
  sx=$(reg_dword X) sy=$(reg_dword Y)
  [[ $sx == $((x0 + dx)) && $sy == $((y0 + dy)) ]] ||
    fail "stored position '$sx,$sy' after exit, the window was at $((x0 + dx)),$((y0 + dy))"
}

case_middle_click() {
  start || return
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 2
  x11_wait 5 gone || fail "still running 5 s after the middle click" || return
  wait "$PID"
  local rc=$? width
  ((rc == 0)) || fail "exit status $rc after the middle click" || return
  # The window's closing path stores its size; a crash would not.
  width=$(reg_dword Width)
  [[ $width == 250 ]] || fail "stored width '$width' after the middle click, not 250"
}

# --- Run -----------------------------------------------------------------------------------

if ! x11_up "${PELLORY_X11_PREFIX:-$HOME/.cache/pellory-wine/x11-prefix}"; then
  echo "FAIL  the X server or the Wine prefix did not come up"
  exit 1
fi
echo "x11: $EXE on display $DISPLAY, prefix $WINEPREFIX ($((SECONDS - T0)) s to set up)"

run_case() {
  local name=$1 start=$SECONDS
  REASON=
  if "case_$name"; then
    printf 'ok    %-12s (%d s)\n' "$name" $((SECONDS - start))
  else
    printf 'FAIL  %-12s %s (%d s)\n' "$name" "${REASON:-failed}" $((SECONDS - start))
    FAILED=1
  fi
  finish
}

run_case view_menu
run_case right_click
run_case drag
run_case middle_click

echo "x11: $((SECONDS - T0)) s"
exit $FAILED

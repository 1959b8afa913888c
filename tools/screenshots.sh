#!/bin/bash
# Pictures of the program for people, made with real clicks on a first start:
#   compact.png    the main window as it opens
#   view-menu.png  the same with its View menu open
#   advanced.png   the advanced view, after a right click on the window's body
#   about.png      the window About > Version Information opens (skipped, with a message,
#                  when none appears)
# Runs Pellory.exe on an Xvfb of its own with Wine's x11 driver (tools/x11-wine.sh), in the
# prefix tests/x11 uses (PELLORY_SHOTS_PREFIX to choose another).
#
#   tools/screenshots.sh [OUT_DIR] [BUILD_DIR]
#
# OUT_DIR (also taken from the environment) defaults to build/screenshots, BUILD_DIR to
# build/windows (needs Pellory.exe). The README's: tools/screenshots.sh docs/screenshots
# Needs Xvfb, xdotool and ImageMagick's import.
set -euo pipefail
HERE=$(cd "$(dirname "$0")/.." && pwd)
OUT=${1:-${OUT_DIR:-$HERE/build/screenshots}}
OUT=$(mkdir -p "$OUT" && cd "$OUT" && pwd)
BUILD=$(cd "${2:-$HERE/build/windows}" && pwd)
[[ -f $BUILD/Pellory.exe ]] || { echo "no Pellory.exe in $BUILD" >&2; exit 1; }
. "$HERE/tools/x11-wine.sh"

PELLORY=
cleanup() {
  [[ -n $PELLORY ]] && kill "$PELLORY" 2>/dev/null
  x11_down
}
trap cleanup EXIT
trap 'exit 143' TERM INT HUP

x11_up "${PELLORY_SHOTS_PREFIX:-$HOME/.cache/pellory-wine/x11-prefix}"
# A first start: no stored view or size.
x11_q wine reg delete 'HKCU\Software\Vosk\Vosk Pellory' /f || true

# The windows on screen now (the root among them), so that new ones stand out.
OLD=$(xdotool search --onlyvisible --name '' 2>/dev/null)
new_windows() { xdotool search --onlyvisible --name '' 2>/dev/null | grep -vxF -f <(printf '%s\n' "$OLD" "$@"); }

# Any parameter keeps the post-install web page shut.
wine "$BUILD/Pellory.exe" screenshot </dev/null >/dev/null 2>&1 9>&- &
PELLORY=$!
x11_wait 30 eval 'MAIN=$(xdotool search --onlyvisible --name "^Vosk Pellory v" 2>/dev/null | head -n1); [[ -n $MAIN ]]' ||
  { echo "no window titled 'Vosk Pellory v...' within 30 s" >&2; exit 1; }
# geometry WINDOW: sets X, Y, WIDTH and HEIGHT (and WINDOW).
geometry() { eval "$(xdotool getwindowgeometry --shell "$1")"; }

# shoot FILE IMPORT_ARGS...: once two grabs a moment apart agree (painting has settled).
shoot() {
  local file=$1 last= now
  shift
  for _ in $(seq 50); do
    now=$(import -display "$DISPLAY" "$@" rgb:- | md5sum)
    [[ $now == "$last" ]] && break
    last=$now
    sleep 0.2
  done
  # No time stamps in the file: the same picture makes the same bytes.
  import -display "$DISPLAY" "$@" +repage -strip -define png:exclude-chunks=date,time "$OUT/$file"
  echo "$OUT/$file"
}

# menu_after_click X Y: clicks there and waits for the pop-up menu; sets MENU.
menu_after_click() {
  xdotool mousemove "$1" "$2" click 1
  x11_wait 10 eval 'MENU=$(new_windows "$MAIN" | head -n1); [[ -n $MENU ]]'
}

shoot compact.png -window "$MAIN"

# The View entry, from the corner of the Wine-drawn frame.
geometry "$MAIN"
WX=$X WY=$Y WW=$WIDTH WH=$HEIGHT
if menu_after_click $((WX + 22)) $((WY + 33)); then
  geometry "$MENU"
  # The window and the menu together.
  left=$((X < WX ? X : WX)) top=$((Y < WY ? Y : WY))
  right=$((X + WIDTH > WX + WW ? X + WIDTH : WX + WW))
  bottom=$((Y + HEIGHT > WY + WH ? Y + HEIGHT : WY + WH))
  shoot view-menu.png -window root -crop $((right - left))x$((bottom - top))+$left+$top
  xdotool key Escape
  x11_wait 5 eval '[[ -z $(new_windows "$MAIN") ]]' || { echo "the View menu did not close" >&2; exit 1; }
else
  echo "no View menu after a click on its entry" >&2
  exit 1
fi

# A right click on the body (the drop box lets the mouse through) switches the view.
xdotool mousemove $((WX + WW / 2)) $((WY + WH / 2)) click 3
x11_wait 10 eval 'geometry "$MAIN" && ((WIDTH > 300))' ||
  { echo "the right click did not switch to the advanced view" >&2; exit 1; }
shoot advanced.png -window "$MAIN"

# About is the menu bar's third entry; Version Information its first item.
geometry "$MAIN"
menu_after_click $((X + 132)) $((Y + 33)) || { echo "no About menu after a click on its entry" >&2; exit 1; }
geometry "$MENU"
xdotool mousemove $((X + 30)) $((Y + 11)) sleep 0.2 click 1
if x11_wait 10 eval 'ABOUT=$(xdotool search --onlyvisible --name "^Version Information$" 2>/dev/null | head -n1); [[ -n $ABOUT ]]'; then
  shoot about.png -window "$ABOUT"
else
  echo "about.png skipped: no window titled 'Version Information' within 10 s of About > Version Information" >&2
fi

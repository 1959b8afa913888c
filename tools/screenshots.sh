#!/bin/bash
# Pictures of the main window for people: the compact view, then the advanced view after a
# right click on the window's body. Runs Pellory.exe under its own Xvfb with Wine's x11
# driver in a private prefix (Managed=N, so Wine draws the frame and closes at once).
#
#   tools/screenshots.sh [OUT_DIR] [BUILD_DIR]
#
# OUT_DIR defaults to build/screenshots, BUILD_DIR to build/windows (needs Pellory.exe).
# Needs Xvfb, xdotool and ImageMagick's import.
set -euo pipefail
HERE=$(cd "$(dirname "$0")/.." && pwd)
OUT=$(mkdir -p "${1:-$HERE/build/screenshots}" && cd "${1:-$HERE/build/screenshots}" && pwd)
BUILD=$(cd "${2:-$HERE/build/windows}" && pwd)
[[ -f $BUILD/Pellory.exe ]] || { echo "no Pellory.exe in $BUILD" >&2; exit 1; }
export WINEPREFIX=${PELLORY_SHOTS_PREFIX:-/tmp/pellory-shots-prefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
q() { "$@" </dev/null >/dev/null 2>&1; }

# An X server on a free display, stopped by its pid.
DISPLAY_FILE=$(mktemp)
Xvfb -displayfd 4 -screen 0 1024x768x24 -nolisten tcp 4>"$DISPLAY_FILE" </dev/null >/dev/null 2>&1 &
XVFB=$!
PELLORY=
cleanup() {
  [[ -n $PELLORY ]] && kill "$PELLORY" 2>/dev/null || true
  q wineserver -k || true
  kill "$XVFB" 2>/dev/null || true
  rm -f "$DISPLAY_FILE"
}
trap cleanup EXIT
for _ in $(seq 100); do [[ -s $DISPLAY_FILE ]] && break; sleep 0.05; done
export DISPLAY=:$(head -n1 "$DISPLAY_FILE")

[[ -d $WINEPREFIX ]] || cp -a "$HOME/.cache/pellory-wine/prefix" "$WINEPREFIX"
q wineserver -k || true
q wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
q wineserver -w
sh "$HERE/tools/wine-up.sh" x11
# A first start each time: no stored view or size.
q wine reg delete 'HKCU\Software\Vosk\Vosk Pellory' /f || true

# Any parameter keeps the post-install web page shut.
wine "$BUILD/Pellory.exe" screenshot </dev/null >/dev/null 2>&1 &
PELLORY=$!
WINDOW=$(xdotool search --sync --name '^Vosk Pellory v' | head -n1)
sleep 1  # painted

shoot() {
  import -display "$DISPLAY" -window "$WINDOW" "$OUT/$1"
  echo "$OUT/$1"
}
shoot compact.png

# A right click on the body (the drop box lets the mouse through) switches the view.
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 3
for _ in $(seq 100); do
  eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
  ((WIDTH > 300)) && break
  sleep 0.05
done
sleep 1
shoot advanced.png

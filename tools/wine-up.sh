#!/bin/sh
# Test fixture: brings up the test Wine prefix ($WINEPREFIX) with a persistent wineserver,
# graphics driver $1 (null: headless windows; x11: needs DISPLAY).
# Every Wine daemon started here gets /dev/null for its standard streams: one that inherits
# ctest's pipe keeps ctest waiting for end-of-file long after the test ended.
set -e
q() { "$@" </dev/null >/dev/null 2>&1; }
mkdir -p "$WINEPREFIX"
q wineserver -k || true; q wineserver -w     # one test run per prefix at a time
if ! grep -q "^\"Graphics\"=\"$1\"" "$WINEPREFIX/user.reg" 2>/dev/null; then
  q wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d "$1" /f   # first use also boots the prefix
  # Without a window manager, x11 otherwise waits 2 s for one on every window destroyed.
  [ "$1" != x11 ] || q wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
  q wineserver -w                             # the desktop reads the key when it starts
fi
q wineserver -p; q wine wineboot             # persistent server, services started now

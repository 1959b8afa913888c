#!/bin/bash
# Installs what is missing, builds, and runs Pellory:
#   ./run.sh            builds Pellory.exe and opens its window under Wine on this display
#   ./run.sh ARGS...    the command-line face of the same engine: pellory-batch ARGS
#                       (see ./run.sh --help)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")" && pwd)   # no cd: relative paths in the arguments stay valid
JOBS=${PELLORY_JOBS:-2}
"$ROOT/tools/install-deps.sh" >&2

# build_native TARGET: build/native, configured as test.sh configures it.
build_native() {
  if [[ ! -f $ROOT/build/native/CMakeCache.txt ]]; then
    cmake -S "$ROOT" -B "$ROOT/build/native" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2
  fi
  cmake --build "$ROOT/build/native" -j"$JOBS" --target "$1" >&2
}

if (($# > 0)); then
  build_native pellory-batch
  exec "$ROOT/build/native/pellory-batch" "$@"
fi

if [[ -z ${DISPLAY:-} ]]; then
  echo "run.sh: no display (DISPLAY is not set), so the window cannot open; the command line works without one:" >&2
  build_native pellory-batch
  exec "$ROOT/build/native/pellory-batch" --help
fi

# The Windows build, configured as test.sh configures build/windows; the icon and the About
# picture are drawn by build/native's pellory-resgen.
build_native pellory-resgen
DEPS=$("$ROOT/tools/build-mingw-deps.sh" --prefix)
WIN=$ROOT/build/windows
if [[ -f $WIN/CMakeCache.txt ]] &&
   [[ $(sed -n 's/^PELLORY_DEPS_PREFIX:[A-Z]*=//p' "$WIN/CMakeCache.txt") != "$DEPS" ]]; then
  rm -rf "$WIN"
fi
mkdir -p "$WIN"
cmake -S "$ROOT" -B "$WIN" -G Ninja -DCMAKE_BUILD_TYPE=Release "-DPELLORY_DEPS_PREFIX=$DEPS" \
  "-DCMAKE_TOOLCHAIN_FILE=$ROOT/cmake/mingw-w64-x86_64.cmake" \
  "-DPELLORY_RESGEN=$ROOT/build/native/pellory-resgen" >"$WIN/configure.log" 2>&1 ||
  { cat "$WIN/configure.log" >&2; exit 1; }
cmake --build "$WIN" -j"$JOBS" --target Pellory >&2

# A prefix of its own (PELLORY_RUN_PREFIX to choose another) that draws on this display:
# the tests' prefix runs headless (Graphics=null) and serves one test run at a time.
CACHE=$HOME/.cache/pellory-wine
export WINEPREFIX=${PELLORY_RUN_PREFIX:-$CACHE/run-prefix} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
q() { "$@" </dev/null >/dev/null 2>&1; }
mkdir -p "$CACHE"
if [[ ! -d $WINEPREFIX && -d $CACHE/prefix ]]; then
  cp -a "$CACHE/prefix" "$WINEPREFIX"   # a booted prefix: 0.3 s instead of 10 s
fi
mkdir -p "$WINEPREFIX"
if ! grep -q '^"Graphics"="x11"' "$WINEPREFIX/user.reg" 2>/dev/null; then
  echo "run.sh: preparing the Wine prefix $WINEPREFIX (first start only)" >&2
  q wineserver -k || true
  q wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11 /f
  # A copy of the tests' prefix may say there is no window manager; this display has one.
  q wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f || true
  q wineserver -w                       # the desktop reads the key when it starts
fi
echo "run.sh: starting Pellory (Wine output goes to $CACHE/run.log)" >&2
exec wine "$WIN/Pellory.exe" </dev/null >"$CACHE/run.log" 2>&1

#!/bin/bash
# Cross-builds libjpeg-turbo (libjpeg API 62), libpng 1.6 and GoogleTest/GoogleMock for
# MinGW-w64 from Debian's own sources, into a cache folder outside the tree:
#   $PELLORY_DEPS_CACHE (default $HOME/.cache/pellory-deps)/<tag>/mingw64
# The tag names the exact Debian source versions and the cross compiler, so the Windows
# build links the same library versions (security patches included) as the native build
# and a package update lands in a fresh folder instead of a half-stale one.
#
#   build-mingw-deps.sh            build unless the stamp says this tag is complete
#   build-mingw-deps.sh --prefix   print the install prefix and do nothing else
set -euo pipefail
shopt -s inherit_errexit   # a failed step inside $(...) stops the script too

HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
ROOT=$(dirname "$HERE")
TOOLCHAIN="$ROOT/cmake/mingw-w64-x86_64.cmake"
CACHE=${PELLORY_DEPS_CACHE:-$HOME/.cache/pellory-deps}
# Raise when the build options below change, so that old caches are not reused.
RECIPE=1

# The source package and version behind an installed binary package.
src_pkg() { dpkg-query -W -f='${source:Package}' "$1"; }
src_ver() { dpkg-query -W -f='${source:Version}' "$1"; }
bin_ver() { dpkg-query -W -f='${Version}' "$1"; }

compute_tag() {
  local jpeg png gtest gcc
  jpeg=$(src_ver libjpeg62-turbo-dev)
  png=$(src_ver libpng-dev)
  gtest=$(bin_ver googletest)
  gcc=$(bin_ver g++-mingw-w64-x86-64-posix)
  gcc=${gcc%%+*}   # the upstream GCC release is what matters for the ABI
  echo "r$RECIPE-jpeg$jpeg-png$png-gtest$gtest-gcc$gcc" | tr -c 'A-Za-z0-9.+_\n-' '_'
}

TAG=$(compute_tag)
PREFIX="$CACHE/$TAG/mingw64"
STAMP="$PREFIX/.pellory-complete"

if [[ ${1:-} == --prefix ]]; then
  echo "$PREFIX"
  exit 0
fi

as_root() {
  if [[ $(id -u) == 0 ]]; then "$@"
  elif command -v sudo >/dev/null; then sudo "$@"
  else echo "build-mingw-deps.sh: needs root for: $*" >&2; exit 1
  fi
}

# True when apt can fetch exactly this source version.
has_source() { apt-cache showsrc "$1" 2>/dev/null | grep -qx "Version: $2"; }

# deb-src twins of the configured Debian suites (the security suite included: the
# patched libpng lives there). Only Debian's own archives are mirrored, never third-party ones.
add_deb_src() {
  local d=/etc/apt/sources.list.d tmp f
  tmp=$(mktemp -d)
  shopt -s nullglob
  for f in "$d"/*.sources; do
    [[ $f == "$d/pellory-deb-src.sources" ]] && continue
    awk 'BEGIN { RS = ""; ORS = "\n\n" }
         /Types:[^\n]*deb/ && !/Types:[^\n]*deb-src/ && /URIs:[^\n]*debian/ {
           sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$f" >>"$tmp/x.sources"
  done
  for f in /etc/apt/sources.list "$d"/*.list; do
    [[ -f $f && $f != "$d/pellory-deb-src.list" ]] || continue
    awk '$1 == "deb" && /debian/ { $1 = "deb-src"; print }' "$f" >>"$tmp/x.list"
  done
  shopt -u nullglob
  if [[ ! -s $tmp/x.sources && ! -s $tmp/x.list ]]; then
    rm -rf "$tmp"
    echo "build-mingw-deps.sh: no Debian archive configured in /etc/apt to take sources from" >&2
    exit 1
  fi
  echo "build-mingw-deps.sh: adding deb-src entries in $d/pellory-deb-src.*" >&2
  [[ -s $tmp/x.sources ]] && as_root install -m 644 "$tmp/x.sources" "$d/pellory-deb-src.sources"
  [[ -s $tmp/x.list ]] && as_root install -m 644 "$tmp/x.list" "$d/pellory-deb-src.list"
  rm -rf "$tmp"
  as_root apt-get update -q >&2
}

# Unpacks (with Debian's patches applied) the source of the binary package $2 into $1 and
# prints the source folder. The installed version is wanted; if the archive cannot deliver
# it (some mirrors index the security suite's sources but do not serve them), the newest
# older version that downloads is taken, with a warning, and noted in the stamp.
fetch_source() {
  local dir=$1 pkg want v got=""
  pkg=$(src_pkg "$2"); want=$(src_ver "$2")
  has_source "$pkg" "$want" || add_deb_src
  rm -rf "$dir" && mkdir -p "$dir"
  for v in $(apt-cache showsrc "$pkg" | sed -n 's/^Version: //p' | sort -u -r -V); do
    dpkg --compare-versions "$v" le "$want" || continue
    if (cd "$dir" && apt-get source -q "$pkg=$v" >/dev/null 2>"$dir/apt.err"); then
      got=$v; break
    fi
    echo "build-mingw-deps.sh: cannot download source $pkg $v:" >&2
    grep '^E:' "$dir/apt.err" | head -n 2 >&2 || true
    rm -rf "${dir:?}"/*
  done
  [[ -n $got ]] || { echo "build-mingw-deps.sh: no source for $pkg" >&2; exit 1; }
  if [[ $got != "$want" ]]; then
    echo "build-mingw-deps.sh: WARNING: building $pkg $got, not the installed $want" >&2
  fi
  echo "$pkg $got (installed: $want)" >>"$CACHE/$TAG/work/versions"
  find "$dir" -mindepth 1 -maxdepth 1 -type d | head -n1
}

# Runs one build step quietly; on failure shows the end of its output.
step() {
  if ! "$@" >"$CACHE/$TAG/work/step.log" 2>&1; then
    tail -n 40 "$CACHE/$TAG/work/step.log" >&2
    echo "build-mingw-deps.sh: failed: $*" >&2
    exit 1
  fi
}

build() {
  local work="$CACHE/$TAG/work" jpeg png
  echo "build-mingw-deps.sh: building libjpeg-turbo, libpng and GoogleTest into $PREFIX"
  rm -rf "$work"
  mkdir -p "$work" "$PREFIX"
  jpeg=$(fetch_source "$work/src-jpeg" libjpeg62-turbo-dev)
  png=$(fetch_source "$work/src-png" libpng-dev)
  [[ -d $jpeg && -d $png ]] || { echo "build-mingw-deps.sh: source unpacking failed" >&2; exit 1; }

  local common=(-G Ninja -Wno-dev "-DCMAKE_TOOLCHAIN_FILE=$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release
                "-DPELLORY_DEPS_PREFIX=$PREFIX" "-DCMAKE_INSTALL_PREFIX=$PREFIX")
  # JPEG7/8 emulation stays off, so jconfig.h says JPEG_LIB_VERSION 62.
  step cmake -S "$jpeg" -B "$work/b-jpeg" "${common[@]}" \
    -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF -DREQUIRE_SIMD=ON
  step cmake -S "$png" -B "$work/b-png" "${common[@]}" \
    -DPNG_SHARED=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DZLIB_LIBRARY=/usr/x86_64-w64-mingw32/lib/libz.a \
    -DZLIB_INCLUDE_DIR=/usr/x86_64-w64-mingw32/include
  step cmake -S /usr/src/googletest -B "$work/b-gtest" "${common[@]}" \
    -DBUILD_GMOCK=ON -DBUILD_SHARED_LIBS=OFF
  local b
  for b in b-jpeg b-png b-gtest; do
    step cmake --build "$work/$b" -j"${PELLORY_JOBS:-2}"
    step cmake --install "$work/$b"
  done
  { echo "$TAG"; cat "$work/versions"; } >"$STAMP"
  rm -rf "$work"
  echo "build-mingw-deps.sh: done"
}

[[ -f $STAMP ]] && exit 0
mkdir -p "$CACHE"
# Two checkouts testing at once must not build into the same folder together.
exec 9>"$CACHE/.lock"
flock 9
[[ -f $STAMP ]] || build

#!/bin/bash
# Everything both builds need on Debian 12: the packages apt provides, then the MinGW
# builds of libjpeg/libpng/GoogleTest (tools/build-mingw-deps.sh). Safe to run again:
# when every package is there, apt is not touched at all.
set -euo pipefail
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

NATIVE=(g++ cmake ninja-build libjpeg62-turbo-dev libpng-dev zlib1g-dev
        libgtest-dev libgmock-dev googletest libbenchmark-dev
        clang libclang-rt-14-dev imagemagick)
WINDOWS=(g++-mingw-w64-x86-64-posix libz-mingw-w64-dev nasm dpkg-dev
         wine wine64 fonts-wine xvfb xauth xdotool)

missing=()
for p in "${NATIVE[@]}" "${WINDOWS[@]}"; do
  if [[ $(dpkg-query -W -f='${db:Status-Abbrev}' "$p" 2>/dev/null) != ii* ]]; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "install-deps.sh: installing ${missing[*]}"
  SUDO=()
  if [[ $(id -u) != 0 ]]; then
    command -v sudo >/dev/null || { echo "install-deps.sh: run as root" >&2; exit 1; }
    SUDO=(sudo)
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${SUDO[@]}" apt-get update -q
  "${SUDO[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

"$HERE/build-mingw-deps.sh"

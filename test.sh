#!/bin/bash
# Installs what is missing, then builds and tests every configuration:
#   build/native       g++ -O2 -g                               its ctest
#   build/native-asan  g++ with AddressSanitizer + UBSan         its ctest
#   build/windows      MinGW-w64 cross build                     its ctest under Wine, headless
#   x11                build/windows/Pellory.exe under real mouse input (tests/x11, Xvfb)
#   build/fuzz         clang + libFuzzer (when fuzz targets exist) each target for a short time
# Every suite runs even after a failure; the exit status is non-zero if anything failed.
# A second run reuses the installed packages, the library cache, the Wine prefix and the
# build folders, so it only rebuilds what changed.
set -uo pipefail
cd "$(dirname "$0")"
JOBS=${PELLORY_JOBS:-2}
T0=$SECONDS

if ! tools/install-deps.sh; then
  echo "test.sh: installing the dependencies failed" >&2
  exit 1
fi
DEPS=$(tools/build-mingw-deps.sh --prefix)

SUMMARY=()
FAILED=0

# run_suite NAME [cmake arguments...]: configure, build and test build/NAME.
run_suite() {
  local name=$1 dir=build/$1 start=$SECONDS result
  shift
  echo
  echo "=== $name ==="
  mkdir -p "$dir"
  if ! cmake -S . -B "$dir" -G Ninja "$@" >"$dir/configure.log" 2>&1; then
    cat "$dir/configure.log"
    result="CONFIGURE FAILED (see $dir/configure.log)"
  elif ! cmake --build "$dir" -j"$JOBS"; then
    result="BUILD FAILED"
  else
    local ctest=(ctest --test-dir "$dir" -j"$JOBS" --output-on-failure --no-tests=error
                 --timeout 1500)
    if [[ $name == windows ]]; then
      # One test run per Wine prefix at a time, even across checkouts. -o: the Wine
      # daemons must not inherit (and so keep holding) the lock.
      mkdir -p "$HOME/.cache/pellory-wine"
      ctest=(flock -o "$HOME/.cache/pellory-wine/.lock" "${ctest[@]}")
    fi
    "${ctest[@]}" 2>&1 | tee "$dir/ctest.log"
    local rc=${PIPESTATUS[0]}
    result=$(grep -E "tests passed|tests failed" "$dir/ctest.log" | tail -n 1)
    [[ -n $result ]] || result="CTEST FAILED (exit $rc)"
    if [[ $name == windows ]]; then   # there a ctest entry is a whole gtest program
      local cases
      cases=$(grep -E '^\[==========\] [0-9]+ tests? from .* ran' \
                   "$dir/Testing/Temporary/LastTest.log" |
              awk '{ n += $2 } END { print n + 0 }')
      result="$result; $cases gtest cases"
    fi
    if ((rc != 0)); then
      result="FAILED: $result"
    fi
  fi
  [[ $result == *FAIL* ]] && FAILED=1
  SUMMARY+=("$(printf '%-12s %s  (%d s)' "$name" "$result" $((SECONDS - start)))")
}

run_suite native -DCMAKE_BUILD_TYPE=RelWithDebInfo
run_suite native-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELLORY_SANITIZE=ON

# A cache built for other library versions is replaced, not mixed with the new one.
if [[ -f build/windows/CMakeCache.txt ]] &&
   [[ $(sed -n 's/^PELLORY_DEPS_PREFIX:[A-Z]*=//p' build/windows/CMakeCache.txt) != "$DEPS" ]]; then
  rm -rf build/windows
fi
# The icon and the About picture are drawn by the native build's pellory-resgen (built
# above); without it the Windows build makes a host copy of its own.
run_suite windows -DCMAKE_BUILD_TYPE=Release "-DPELLORY_DEPS_PREFIX=$DEPS" \
  "-DCMAKE_TOOLCHAIN_FILE=$PWD/cmake/mingw-w64-x86_64.cmake" \
  "-DPELLORY_RESGEN=$PWD/build/native/pellory-resgen"

# The program under real mouse input on an X server of its own, in a copy of the prefix the
# windows suite has just made.
x11_start=$SECONDS
echo
echo "=== x11 ==="
if [[ ! -f build/windows/Pellory.exe ]]; then
  echo "x11: skipped, build/windows/Pellory.exe was not built"
  SUMMARY+=("$(printf '%-12s %s' x11 "skipped: no build/windows/Pellory.exe")")
else
  timeout -k 10 300 tests/x11/run.sh build/windows/Pellory.exe 2>&1 | tee build/x11.log
  x11_rc=${PIPESTATUS[0]}
  x11_result="$(grep -c '^ok ' build/x11.log) cases passed, $(grep -c '^FAIL ' build/x11.log) failed"
  if ((x11_rc != 0)); then
    ((x11_rc == 124)) && x11_result+=", timed out after 300 s"
    x11_result="FAILED: $x11_result (exit $x11_rc)"
    FAILED=1
  fi
  SUMMARY+=("$(printf '%-12s %s  (%d s)' x11 "$x11_result" $((SECONDS - x11_start)))")
fi

if compgen -G "fuzz/*_fuzzer.cpp" >/dev/null; then
  CC=clang CXX=clang++ run_suite fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELLORY_FUZZ=ON
else
  SUMMARY+=("$(printf '%-12s %s' fuzz "no fuzz targets yet")")
fi

echo
echo "=== Summary ($((SECONDS - T0)) s) ==="
printf '%s\n' "${SUMMARY[@]}"
exit $FAILED

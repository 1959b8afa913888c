#!/bin/bash
# Measures the main window under Wine's null driver, headless: the time from the process
# start to the window shown, private memory once idle, once iconized and at its peak while a
# large JPEG converts, the longest round trip of WM_NULL to the window during that run, and
# how long a change of language and the opening of the About window take. Prints every run
# and the medians.
#
#   bench/window-metrics.sh BUILD_DIR [RUNS] [PICTURE]
#
# BUILD_DIR is a Windows build (windows_tests.exe and Pellory.exe). PICTURE defaults to a
# ~24-megapixel JPEG made with vips from the shared corpus. The Wine prefix is a private
# copy of the shared one (PELLORY_METRICS_PREFIX, default /tmp/pellory-metrics-prefix).
set -euo pipefail
BUILD=$(cd "${1:?usage: $0 BUILD_DIR [RUNS] [PICTURE]}" && pwd)
RUNS=${2:-5}
PICTURE=${3:-}
HERE=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${PELLORY_METRICS_PREFIX:-/tmp/pellory-metrics-prefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

if [[ -z $PICTURE ]]; then
  PICTURE=/tmp/pellory-metrics/p24.jpg
  if [[ ! -f $PICTURE ]]; then
    mkdir -p "$(dirname "$PICTURE")"
    vips resize "$HERE/../shared/corpus/photos/Kleiber_by_Lukas_Baubkus.jpg" "$PICTURE" 1.085
  fi
fi
PICTURE=$(readlink -f "$PICTURE")
[[ -d $WINEPREFIX ]] || cp -a "$HOME/.cache/pellory-wine/prefix" "$WINEPREFIX"
q() { "$@" </dev/null >/dev/null 2>&1; }
sh "$HERE/tools/wine-up.sh" null
trap 'q wineserver -k || true' EXIT

# Samples the private (anonymous resident) memory of the Wine process running Pellory.exe,
# which Wine does not report to the test: once while the test marks the window idle, and
# the peak of the whole run.
sample_private() {
  local mark=$1 iconized_mark=$2 idle=0 iconized=0 peak=0 pid kib
  while [[ ! -e $STOP ]]; do
    pid=$(pgrep -f 'Pellory.exe test' | head -n1 || true)
    if [[ -n $pid ]]; then
      kib=$(awk '/^RssAnon:/ { print $2 }' "/proc/$pid/status" 2>/dev/null || echo 0)
      kib=${kib:-0}
      ((kib > peak)) && peak=$kib
      [[ -e $mark ]] && ((idle == 0)) && idle=$kib
      [[ -e $iconized_mark ]] && ((iconized == 0)) && iconized=$kib
    fi
    sleep 0.01
  done
  echo "SAMPLED idle_rss_anon_kib=$idle iconized_rss_anon_kib=$iconized peak_rss_anon_kib=$peak"
}

LOG=$(mktemp)
WORK=$(mktemp -d)
for ((i = 1; i <= RUNS; i++)); do
  STOP=$WORK/stop; MARK=$WORK/idle; ICONIZED=$WORK/iconized; rm -f "$STOP" "$MARK" "$ICONIZED"
  sample_private "$MARK" "$ICONIZED" >"$WORK/sampled" &
  SAMPLER=$!
  PELLORY_METRICS_PICTURE="Z:${PICTURE//\//\\}" PELLORY_METRICS_IDLE_MARK="Z:${MARK//\//\\}" \
    PELLORY_METRICS_ICONIZED_MARK="Z:${ICONIZED//\//\\}" \
    wine "$BUILD/windows_tests.exe" --gtest_also_run_disabled_tests --gtest_filter='*DISABLED_Metrics' \
    </dev/null >"$WORK/out" 2>&1 || true
  touch "$STOP"; wait "$SAMPLER"
  line=$(grep '^METRICS' "$WORK/out" | tr -d '\r') || { cat "$WORK/out" >&2; echo "run $i failed" >&2; exit 1; }
  echo "$line $(sed 's/^SAMPLED //' "$WORK/sampled")" | tee -a "$LOG"
done
rm -rf "$WORK"

python3 - "$LOG" <<'EOF'
import re, statistics, sys
runs = [dict(re.findall(r'(\w+)=([\d.]+)', line)) for line in open(sys.argv[1]) if 'METRICS' in line]
print(f"medians of {len(runs)} runs:")
for key in runs[0]:
    print(f"  {key:22} {statistics.median(float(r[key]) for r in runs):10.1f}")
EOF
rm -f "$LOG"

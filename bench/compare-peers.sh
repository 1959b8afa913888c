#!/bin/sh
# Times pellory-batch side by side with ImageMagick 6, GraphicsMagick and libvips doing the
# same job: decode, one 3x3 convolution with the same kernel (sharpen 50: 0 -90 0 / -90 1100
# -90 / 0 -90 0, divided by 740), re-encode with the same output settings (JPEG quality 75
# baseline; PNG 8-bit RGBA Adam7 at zlib's default level 6 with libpng's adaptive filters,
# which is ImageMagick's and GraphicsMagick's -quality 65; GIF 8-bit). djpeg | cjpeg -quality 75 is the floor for JPEG: decode and
# encode alone.
#
#   bench/compare-peers.sh [--quick] [--only jpeg|png|gif]
#
# Whole processes are timed with hyperfine (medians), peak memory with /usr/bin/time -v.
# Inputs are the real photos and GIFs of ../shared/corpus (resized with vips where a size is
# missing). Each tool runs with one thread, then with its default threads; pellory-batch
# converts a file on one thread either way. Prints per-megapixel medians, peak memory and
# pellory's ratio to each peer measured in the same run. Installs the peer tools with apt
# when they are missing.
set -eu
cd "$(dirname "$0")/.."
ROOT=$PWD
CORPUS=${PELLORY_CORPUS_DIR:-$ROOT/../shared/corpus}
WORK=${PELLORY_BENCH_DIR:-/tmp/pellory-bench}
QUICK=0
ONLY=""
while [ $# -gt 0 ]; do
  case "$1" in
    --quick) QUICK=1 ;;
    --only) ONLY=$2; shift ;;
    *) echo "usage: $0 [--quick] [--only jpeg|png|gif]" >&2; exit 2 ;;
  esac
  shift
done

if [ ! -d "$CORPUS/photos" ]; then
  echo "compare-peers: the shared corpus is not at $CORPUS (set PELLORY_CORPUS_DIR)" >&2
  exit 2
fi

need=""
command -v hyperfine >/dev/null || need="$need hyperfine"
command -v vips >/dev/null || need="$need libvips-tools"
command -v gm >/dev/null || need="$need graphicsmagick"
[ -x /usr/bin/convert ] || need="$need imagemagick"
command -v djpeg >/dev/null || need="$need libjpeg-turbo-progs"
[ -x /usr/bin/time ] || need="$need time"
if [ -n "$need" ]; then
  echo "compare-peers: installing$need" >&2
  apt-get install -y -q $need >/dev/null
fi

# A release build of the command line of its own, so the numbers are the product's.
BUILD=$ROOT/build/bench-release
if [ ! -x "$BUILD/pellory-batch" ] || [ -n "$(find src -newer "$BUILD/pellory-batch" -name '*.cpp' -o -newer "$BUILD/pellory-batch" -name '*.h' | head -1)" ]; then
  cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPELLORY_BENCH=OFF >/dev/null
  cmake --build "$BUILD" -j2 --target pellory-batch >/dev/null
fi
BATCH=$BUILD/pellory-batch

mkdir -p "$WORK/in"
IN=$WORK/in
# Inputs: about 1, 12 and 24 megapixels.
[ -f "$IN/p01.jpg" ] || cp "$CORPUS/photos/Picture_1A_by_freespace.jpg" "$IN/p01.jpg"
[ -f "$IN/p12.jpg" ] || cp "$CORPUS/photos/sunset_by_Aitzol_Berasategi.jpg" "$IN/p12.jpg"
[ -f "$IN/p24.jpg" ] || vips resize "$CORPUS/photos/Kleiber_by_Lukas_Baubkus.jpg" "$IN/p24.jpg[Q=92]" 1.085
# PNG inputs with an alpha channel, so that every tool reads, filters and writes RGBA as
# pellory always writes it.
for n in 01 12 24; do
  [ -f "$IN/p$n.png" ] || vips bandjoin_const "$IN/p$n.jpg" "$IN/p$n.png" 255
done
# GIF: a real animation, and a large still picture made from a photo.
[ -f "$IN/anim.gif" ] || cp "$CORPUS/gif/welcome2.gif" "$IN/anim.gif"
[ -f "$IN/fire.gif" ] || cp "$CORPUS/gif/fire.gif" "$IN/fire.gif"
[ -f "$IN/still.gif" ] || /usr/bin/convert "$CORPUS/photos/Storm.jpg" "$IN/still.gif"
printf '3 3 740 0\n0 -90 0\n-90 1100 -90\n0 -90 0\n' >"$WORK/sharpen50.mat"
KERNEL_IM="3x3: 0,-90,0 -90,1100,-90 0,-90,0"
KERNEL_GM="0,-90,0,-90,1100,-90,0,-90,0"

RESULTS=$WORK/results.tsv
: >"$RESULTS"

# measure NAME THREADS INPUT OUTPUT COMMAND: median by hyperfine, peak memory by time -v.
measure() {
  name=$1; threads=$2; input=$3; output=$4; cmd=$5
  runs=7
  [ $QUICK = 1 ] && runs=3
  case "$input" in *.png) runs=3 ;; esac
  json=$WORK/h.json
  hyperfine -N --style none --warmup 1 --runs $runs --prepare "sh -c 'rm -rf $WORK/out && mkdir -p $WORK/out'" \
    --export-json "$json" "$cmd" >/dev/null 2>&1 || { echo "compare-peers: $name failed: $cmd" >&2; return 0; }
  rm -rf "$WORK/out"; mkdir -p "$WORK/out"
  peak=$(sh -c "/usr/bin/time -v $cmd" 2>&1 >/dev/null | awk -F': ' '/Maximum resident/ {print $2}')
  median=$(python3 -c "import json,sys; print(json.load(open('$json'))['results'][0]['median'])")
  printf '%s\t%s\t%s\t%s\t%s\n' "$(basename "$input")" "$name" "$threads" "$median" "$peak" >>"$RESULTS"
}

# pellory writes beside its source and never overwrites, so each run converts a hard link
# to the input in $WORK/out, which is cleared before every run like the peers' outputs.
pellory_cmd() { echo "sh -c 'ln $1 $WORK/out/ && exec $BATCH --sharpen 50 $WORK/out/$(basename "$1")'"; }
cp_cmd() { echo "sh -c 'ln $1 $WORK/out/'"; }

run_jpeg() {
  for n in 01 12 24; do
    f=$IN/p$n.jpg
    measure copy-only 1 "$f" - "$(cp_cmd "$f")"
    measure pellory 1 "$f" - "$(pellory_cmd "$f")"
    measure djpeg+cjpeg 1 "$f" - "sh -c 'djpeg $f | cjpeg -quality 75 >$WORK/out/o.jpg'"
    for t in 1 default; do
      if [ $t = 1 ]; then im="-limit thread 1"; omp="env OMP_NUM_THREADS=1"; vc="env VIPS_CONCURRENCY=1"; else im=""; omp=""; vc=""; fi
      measure imagemagick $t "$f" - "/usr/bin/convert $im $f -define convolve:scale=! -morphology Convolve '$KERNEL_IM' -quality 75 $WORK/out/o.jpg"
      measure graphicsmagick $t "$f" - "$omp gm convert $f -convolve $KERNEL_GM -quality 75 $WORK/out/o.jpg"
      measure vips $t "$f" - "$vc vips conv $f $WORK/out/o.jpg[Q=75] $WORK/sharpen50.mat --precision integer"
    done
  done
}

run_png() {
  sizes="01 12"
  [ $QUICK = 1 ] && sizes="01"
  for n in $sizes; do
    f=$IN/p$n.png
    measure pellory 1 "$f" - "$(pellory_cmd "$f")"
    for t in 1 default; do
      if [ $t = 1 ]; then im="-limit thread 1"; omp="env OMP_NUM_THREADS=1"; vc="env VIPS_CONCURRENCY=1"; else im=""; omp=""; vc=""; fi
      measure imagemagick $t "$f" - "/usr/bin/convert $im $f -define convolve:scale=! -morphology Convolve '$KERNEL_IM' -interlace PNG -quality 65 PNG32:$WORK/out/o.png"
      measure graphicsmagick $t "$f" - "$omp gm convert $f -convolve $KERNEL_GM -interlace Line -quality 65 PNG32:$WORK/out/o.png"
      measure vips $t "$f" - "$vc vips conv $f $WORK/out/o.png[interlace,compression=6,filter=all] $WORK/sharpen50.mat --precision integer"
    done
  done
}

run_gif() {
  for f in "$IN/anim.gif" "$IN/fire.gif" "$IN/still.gif"; do
    measure pellory 1 "$f" - "$(pellory_cmd "$f")"
    for t in 1 default; do
      if [ $t = 1 ]; then im="-limit thread 1"; omp="env OMP_NUM_THREADS=1"; else im=""; omp=""; fi
      measure imagemagick $t "$f" - "/usr/bin/convert $im $f -coalesce -define convolve:scale=! -morphology Convolve '$KERNEL_IM' $WORK/out/o.gif"
      measure graphicsmagick $t "$f" - "$omp gm convert $f -coalesce -convolve $KERNEL_GM $WORK/out/o.gif"
    done
  done
}

case "$ONLY" in
  jpeg) run_jpeg ;;
  png) run_png ;;
  gif) run_gif ;;
  *) run_jpeg; run_png; run_gif ;;
esac

# The table: per input, each tool's median, ms per megapixel, peak memory and bytes per
# pixel, and pellory's time as a fraction of that tool's (below 1: pellory is faster).
python3 - "$RESULTS" "$IN" <<'EOF'
import subprocess, sys, collections
rows = [l.rstrip('\n').split('\t') for l in open(sys.argv[1]) if l.strip()]
def mp(name):
    out = subprocess.run(['vipsheader', '-f', 'width', f'{sys.argv[2]}/{name}'], capture_output=True, text=True).stdout
    h = subprocess.run(['vipsheader', '-f', 'height', f'{sys.argv[2]}/{name}'], capture_output=True, text=True).stdout
    return int(out) * int(h) / 1e6
by_input = collections.OrderedDict()
for name, tool, threads, median, peak in rows:
    by_input.setdefault(name, []).append((tool, threads, float(median), int(peak or 0)))
for name, entries in by_input.items():
    m = mp(name)
    copy = next((e[2] for e in entries if e[0] == 'copy-only'), 0.0)
    ours = next((e[2] for e in entries if e[0] == 'pellory'), None)
    print(f'\n{name}: {m:.1f} MP' + (f' (linking the input alone, part of pellory\'s figure: {copy*1000:.1f} ms)' if copy else ''))
    print(f'  {"tool":<15}{"threads":>8}{"median ms":>11}{"ms/MP":>8}{"peak MB":>9}{"B/px":>7}{"pellory/tool":>14}')
    for tool, threads, median, peak in entries:
        if tool == 'copy-only':
            continue
        ratio = f'{ours / median:.2f}' if ours and tool != 'pellory' else ''
        print(f'  {tool:<15}{threads:>8}{median*1000:>11.1f}{median*1000/m:>8.1f}{peak/1024:>9.1f}'
              f'{peak*1024/(m*1e6):>7.1f}{ratio:>14}')
EOF

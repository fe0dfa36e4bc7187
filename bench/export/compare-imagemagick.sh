#!/usr/bin/env bash
# Export jobs side by side with ImageMagick, whole processes, runs alternating between the two:
# prints each job's median times and the ratio pictomine / ImageMagick (below 1: pictomine faster).
#
#   bench/export/compare-imagemagick.sh [PICTOMINE] [RUNS]
#
# PICTOMINE defaults to build/bin/pictomine beside this tree, RUNS to 9 (at least 5).
# ImageMagick is run as its own binary, convert-im6.q16: the `convert` first on PATH may be a
# wrapper script whose start-up would be timed too. Uses bash, coreutils and ImageMagick only
# (hyperfine, a Debian package, gives the same medians if you prefer it).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
pictomine=${1:-$here/../../build/bin/pictomine}
runs=${2:-9}
im=$(command -v convert-im6.q16 || true)
[[ -x $pictomine ]] || { echo "no pictomine at $pictomine" >&2; exit 1; }
[[ -n $im ]] || { echo "convert-im6.q16 (ImageMagick 6) not found" >&2; exit 1; }
((runs >= 5)) || { echo "use at least 5 runs" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export PICTOMINE_HOME=$work/home
mkdir -p "$PICTOMINE_HOME"

# Inputs, deterministic: a noisy gradient of far more than 256 colours, and an icon (a shaded
# disc on a transparent ground) at 512, 256 and 16 pixels.
"$im" -size 1024x1024 gradient:'#ff2010'-'#1040ff' -seed 7 -attenuate 0.6 +noise Uniform \
  "PNG24:$work/colours1024.png"
"$im" -size 512x512 radial-gradient:'#ffdc50'-'#c82814' \
  \( -size 512x512 xc:black -fill white -draw 'circle 256,256 256,24' \) \
  -alpha off -compose copy_opacity -composite "PNG32:$work/icon512.png"
"$im" "$work/icon512.png" -resize 256x256 "PNG32:$work/icon256.png"
"$im" "$work/icon512.png" -resize 16x16 "PNG32:$work/icon16.png"

# Milliseconds of one run of the command (its output must appear), on stdout.
time_once() {
  local out=$1
  shift
  rm -f "$out"
  local start=$EPOCHREALTIME
  "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
  local end=$EPOCHREALTIME
  [[ -s $out ]] || { echo "no output from: $*" >&2; exit 1; }
  echo "$start $end" | awk '{ printf "%.3f\n", ($2 - $1) * 1000 }'
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# job NAME EXT INPUT IM-ARGS...: runs ours and ImageMagick's in turn, RUNS times each.
job() {
  local name=$1 ext=$2 input=$3
  shift 3
  local ours=() theirs=()
  # One untimed run each warms the page cache.
  time_once "$work/o.$ext" "$pictomine" --export "$input" "$work/o.$ext" >/dev/null
  time_once "$work/i.$ext" "$im" "$input" "$@" "$work/i.$ext" >/dev/null
  for ((r = 0; r < runs; r++)); do
    ours+=("$(time_once "$work/o.$ext" "$pictomine" --export "$input" "$work/o.$ext")")
    theirs+=("$(time_once "$work/i.$ext" "$im" "$input" "$@" "$work/i.$ext")")
  done
  local a b
  a=$(printf '%s\n' "${ours[@]}" | median)
  b=$(printf '%s\n' "${theirs[@]}" | median)
  awk -v n="$name" -v a="$a" -v b="$b" \
    'BEGIN { printf "%-26s %9.1f ms %9.1f ms   %5.2f\n", n, a, b, a / b }'
}

echo "pictomine:   $pictomine"
echo "ImageMagick: $im"
echo "median of $runs alternating runs, whole processes"
printf '%-26s %12s %12s   %5s\n' job pictomine ImageMagick ratio
job "GIF 1024x1024 many colours" gif "$work/colours1024.png" -dither None -colors 256
job "GIF 256x256 icon" gif "$work/icon256.png" -dither None -colors 256
job "GIF 16x16" gif "$work/icon16.png" -dither None -colors 256
job "ICO 512 -> 7 sizes" ico "$work/icon512.png" -define icon:auto-resize=256,128,64,48,32,24,16

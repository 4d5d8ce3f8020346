#!/usr/bin/env bash
# Whole-process comparison of decoding a 24-megapixel JPEG to a binary PPM: lumivex-cli
# convert against libjpeg-turbo's djpeg, alternating runs in one session; prints each run, the
# best times and their ratio, and checks that both files are the same.
#   bench/compare_djpeg.sh BUILD_DIR [PHOTO.jpg] [RUNS]
# Without a photo one is made by bench/make_test_photo.sh. PPM files are written plain (ASCII)
# unless PXMWriteBinary is set, so lumivex-cli is asked for the raw form djpeg writes.
set -euo pipefail
build=${1:?build directory}
cli="$build/tools/lumivex-cli"
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
photo=${2:-}
runs=${3:-5}
if [ -z "$photo" ]; then
  photo="$work/photo.jpg"
  "$root/bench/make_test_photo.sh" "$photo"
fi
echo "photo: $photo ($(identify -format '%w x %h' "$photo"))"

declare -A best
timed() {
  local name=$1
  shift
  local start end t
  start=$(date +%s.%N)
  "$@" > /dev/null
  end=$(date +%s.%N)
  t=$(echo "$end - $start" | bc -l)
  printf '  %-12s %6.3f s\n' "$name" "$t"
  if [ -z "${best[$name]:-}" ] || (( $(echo "$t < ${best[$name]}" | bc -l) )); then best[$name]=$t; fi
}
for i in $(seq "$runs"); do
  echo "run $i"
  rm -f "$work/lv.ppm" "$work/dj.ppm"
  timed lumivex-cli "$cli" convert --set PXMWriteBinary=true "$photo" "$work/lv.ppm"
  timed djpeg djpeg -outfile "$work/dj.ppm" "$photo"
done
echo "best times: lumivex-cli ${best[lumivex-cli]} s, djpeg ${best[djpeg]} s"
printf 'time lumivex-cli / djpeg: %.3f (goal: at most 1.05)\n' \
  "$(echo "${best[lumivex-cli]} / ${best[djpeg]}" | bc -l)"
cmp "$work/lv.ppm" "$work/dj.ppm" && echo "the files are the same"

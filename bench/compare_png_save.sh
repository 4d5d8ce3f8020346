#!/usr/bin/env bash
# Whole-process comparison of saving a 24-megapixel photo as PNG: lumivex-cli convert against
# `vips copy` (the speed to match) and ImageMagick's convert (the size to match), alternating
# runs in one session; prints each run, the best times, the sizes and the ratios.
#   bench/compare_png_save.sh BUILD_DIR [PHOTO.jpg] [RUNS]
# Without a photo one is made by bench/make_test_photo.sh.
set -euo pipefail
build=${1:?build directory}
cli="$build/tools/lumivex-cli"
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
photo=${2:-}
runs=${3:-3}
if [ -z "$photo" ]; then
  photo="$work/photo.jpg"
  "$root/bench/make_test_photo.sh" "$photo"
fi
echo "photo: $photo ($(identify -format '%w x %h' "$photo"))"

# Seconds of the fastest of the runs of one program, each run printed.
declare -A best
timed() {
  local name=$1 out=$2
  shift 2
  local start end t
  start=$(date +%s.%N)
  "$@" > /dev/null
  end=$(date +%s.%N)
  t=$(echo "$end - $start" | bc -l)
  printf '  %-12s %6.3f s  %10d bytes\n' "$name" "$t" "$(stat -c %s "$out")"
  if [ -z "${best[$name]:-}" ] || (( $(echo "$t < ${best[$name]}" | bc -l) )); then best[$name]=$t; fi
  sync
}
for i in $(seq "$runs"); do
  echo "run $i"
  timed lumivex-cli "$work/lv.png" "$cli" convert "$photo" "$work/lv.png"
  timed vips "$work/vips.png" vips copy "$photo" "$work/vips.png"
  timed ImageMagick "$work/im.png" convert "$photo" "$work/im.png"
done
lv=$(stat -c %s "$work/lv.png")
vips=$(stat -c %s "$work/vips.png")
im=$(stat -c %s "$work/im.png")
echo "best times: lumivex-cli ${best[lumivex-cli]} s, vips ${best[vips]} s, ImageMagick ${best[ImageMagick]} s"
printf 'time lumivex-cli / vips:        %.3f (goal: at most 1)\n' "$(echo "${best[lumivex-cli]} / ${best[vips]}" | bc -l)"
printf 'time lumivex-cli / ImageMagick: %.3f\n' "$(echo "${best[lumivex-cli]} / ${best[ImageMagick]}" | bc -l)"
printf 'size lumivex-cli / ImageMagick: %.4f (goal: at most 1)\n' "$(echo "$lv / $im" | bc -l)"
printf 'size lumivex-cli / vips:        %.4f\n' "$(echo "$lv / $vips" | bc -l)"
# Every reader gets the same pixels back.
cmp <(convert "$work/lv.png" rgb:-) <(convert "$photo" rgb:-) > /dev/null &&
  echo "lumivex-cli's PNG holds the photo's pixels" || { echo "PIXELS DIFFER" >&2; exit 1; }

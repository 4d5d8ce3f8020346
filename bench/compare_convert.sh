#!/usr/bin/env bash
# Whole-process comparison: lumivex-cli convert photo.jpg photo.png against ImageMagick's
# convert on the same 24-megapixel JPEG, alternating runs in one session.
#   bench/compare_convert.sh BUILD_DIR [PHOTO.jpg] [RUNS]
# Without a photo one is made from a picture of the test data: scaled to 6000 x 4000 with
# some noise, quality 90.
set -euo pipefail
build=${1:?build directory}
cli="$build/tools/lumivex-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
photo=${2:-}
runs=${3:-3}
if [ -z "$photo" ]; then
  photo="$work/photo.jpg"
  convert "$(dirname "$0")/../tests/formats/data/jpeg/im_rgb.jpg" -resize 6000x4000! \
    -attenuate 0.3 +noise Gaussian -quality 90 "$photo"
fi
for i in $(seq "$runs"); do
  /usr/bin/time -f "lumivex-cli  %e s  %M KB" "$cli" convert "$photo" "$work/lv.png"
  /usr/bin/time -f "ImageMagick  %e s  %M KB" convert "$photo" "$work/im.png"
done

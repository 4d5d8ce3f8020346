#!/usr/bin/env bash
# Whole-process comparison of TIFF decoding: an LZW (with predictor) colour picture and a
# Group 4 fax page, each decoded by lumivex-cli (written as BMP), by ImageMagick's convert (BMP)
# and copied uncompressed by libtiff's tiffcp, alternating runs in one session.
#   bench/compare_tiff.sh BUILD_DIR [RUNS]
set -euo pipefail
build=${1:?build directory}
cli="$build/tools/lumivex-cli"
runs=${2:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
data="$(dirname "$0")/../tests/formats/data"

# A 6000 x 4000 photo-like picture, LZW with the horizontal predictor.
convert "$data/jpeg/im_rgb.jpg" -resize 6000x4000! -attenuate 0.2 +noise Gaussian \
  -compress none "$work/plain.tif"
tiffcp -c lzw:2 "$work/plain.tif" "$work/lzw.tif"
# An A4 page at 300 dpi (2480 x 3508), bilevel text and a dithered picture, Group 4.
convert -size 2480x3508 xc:white -fill black -pointsize 28 \
  -annotate +150+300 "$(printf 'Lumivex fax page line %s\n' $(seq 1 60))" \
  \( "$data/jpeg/im_rgb.jpg" -resize 1600x1200! -colorspace gray \) -geometry +400+2100 \
  -composite -monochrome -type bilevel -depth 1 -compress none "$work/page.tif"
tiffcp -c g4 "$work/page.tif" "$work/g4.tif"
ls -l "$work/lzw.tif" "$work/g4.tif" | awk '{print $5, $9}'

for name in lzw g4; do
  for i in $(seq "$runs"); do
    /usr/bin/time -f "$name lumivex-cli  %e s  %M KB" "$cli" convert "$work/$name.tif" "$work/lv.bmp"
    /usr/bin/time -f "$name ImageMagick  %e s  %M KB" convert "$work/$name.tif" "$work/im.bmp"
    /usr/bin/time -f "$name tiffcp       %e s  %M KB" tiffcp -c none "$work/$name.tif" "$work/tc.tif"
  done
done

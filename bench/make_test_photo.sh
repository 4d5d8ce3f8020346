#!/usr/bin/env bash
# Makes a camera-like 24-megapixel JPEG for the whole-process benchmarks: four photographs of
# the sample corpus ($LUMIVEX_CORPUS, default the corpus beside the repository) scaled into a
# 6000 x 4000 mosaic with a light sensor grain, saved at quality 92.
#   bench/make_test_photo.sh OUT.jpg
set -euo pipefail
out=${1:?output JPEG}
root=$(cd "$(dirname "$0")/.." && pwd)
corpus=""
for c in "${LUMIVEX_CORPUS:-}" "$root/../shared/corpus" "$root/../../shared/corpus"; do
  if [ -n "$c" ] && [ -d "$c/files/jpeg" ]; then corpus=$c; break; fi
done
[ -n "$corpus" ] || { echo "no sample corpus found: set LUMIVEX_CORPUS or give a photo" >&2; exit 2; }
tiles=$(mktemp -d)
trap 'rm -rf "$tiles"' EXIT
i=0
for name in zune_sos_news.jpeg zune_weird_components.jpg irs_3.jpg pil_exif-72dpi-int.jpg; do
  convert "$corpus/files/jpeg/$name" -resize 3000x2000^ -gravity center -extent 3000x2000 \
    "$tiles/t$i.png"
  i=$((i + 1))
done
convert \( "$tiles/t0.png" "$tiles/t1.png" +append \) \( "$tiles/t2.png" "$tiles/t3.png" +append \) \
  -append -attenuate 0.15 +noise Gaussian -quality 92 "$out"

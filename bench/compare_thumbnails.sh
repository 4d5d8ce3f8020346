#!/usr/bin/env bash
# Thumbnails of many twelve-megapixel JPEGs at 128 pixels, whole runs: lumivex-cli thumbnails
# with an empty thumbnail cache (cold), then again with the cache filled (warm), beside
# vipsthumbnail -s 128 over the same files with as many processes as lumivex uses threads.
#
#   bench/compare_thumbnails.sh LUMIVEX_CLI [COUNT] [WORK_DIR]
#
# Needs vipsthumbnail (libvips-tools) and ImageMagick's convert to make the pictures.
set -euo pipefail
cli=$1
count=${2:-500}
work=${3:-$(mktemp -d)}
jobs=$(nproc)
mkdir -p "$work/pictures"
cd "$work"
if [ ! -f base.jpg ]; then
  convert -size 4000x3000 plasma:fractal -blur 0x1 -quality 90 base.jpg
fi
for i in $(seq -w 1 "$count"); do
  [ -f "pictures/p$i.jpg" ] || cp base.jpg "pictures/p$i.jpg"
done
cat pictures/*.jpg > /dev/null  # the same page cache for every run

seconds() { /usr/bin/time -f %e "$@" 2>&1 >/dev/null | tail -1; }

rm -rf cache vips-out && mkdir -p cache vips-out
cold=$(XDG_CACHE_HOME="$work/cache" seconds "$cli" thumbnails --size 128 pictures/*.jpg)
warm=$(XDG_CACHE_HOME="$work/cache" seconds "$cli" thumbnails --size 128 pictures/*.jpg)
vips=$(seconds sh -c "ls pictures/*.jpg | xargs -P $jobs -n $(( (count + jobs - 1) / jobs )) \
  vipsthumbnail -s 128 -o '$work/vips-out/%s.jpg'")
entries=$(find cache/thumbnails/normal -name '*.png' | wc -l)

echo "files: $count twelve-megapixel JPEGs, $jobs cores; cache entries written: $entries"
printf "lumivex cold:   %6.2f s  (%.2f ms per file)\n" "$cold" "$(echo "$cold * 1000 / $count" | bc -l)"
printf "lumivex warm:   %6.2f s  (%.3f ms per file)\n" "$warm" "$(echo "$warm * 1000 / $count" | bc -l)"
printf "vipsthumbnail:  %6.2f s  (%.2f ms per file)\n" "$vips" "$(echo "$vips * 1000 / $count" | bc -l)"
printf "cold / vips:    %6.2f\n" "$(echo "$cold / $vips" | bc -l)"

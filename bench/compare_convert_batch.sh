#!/usr/bin/env bash
# Whole-process comparison of batch conversion to web size: 50 photos of about 12.5
# megapixels converted to JPEG fitted into 1920 x 1920 by
#   lumivex-cli convert --to jpg --fit 1920x1920 --out D ...
#   mogrify -path D -resize 1920x1920 ...
#   vipsthumbnail -s 1920 -o D/%s.jpg ...
# one after the other in one session, each RUNS times; the best time of each and the ratios.
#   bench/compare_convert_batch.sh BUILD_DIR [CORPUS_JPEG_DIR] [RUNS]
# The photos are made in /tmp from the real photographs of the corpus folder, scaled up to
# 4320 x 2880 (or 2880 x 4320) with a little noise, JPEG quality 90.
set -euo pipefail
build=${1:?build directory}
corpus=${2:-/work/shared/corpus/files/jpeg}
runs=${3:-3}
cli="$build/tools/lumivex-cli"
work=$(mktemp -d /tmp/convert-batch-XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/in"

# The larger colour photographs of the corpus.
mapfile -t sources < <(for f in "$corpus"/*.jpg "$corpus"/*.jpeg; do
  identify -format "%w %h %[colorspace] %i\n" "$f" 2>/dev/null | head -1
done | awk '$3 == "sRGB" && $1 * $2 >= 200000 {print $4}')
[ ${#sources[@]} -gt 0 ] || { echo "no photographs in $corpus" >&2; exit 1; }
for i in $(seq -w 1 50); do
  src=${sources[$(( (10#$i - 1) % ${#sources[@]} ))]}
  geometry=4320x2880!
  [ $(( 10#$i % 5 )) -eq 0 ] && geometry=2880x4320!
  /usr/bin/convert "$src" -resize "$geometry" -attenuate 0.2 +noise Gaussian -quality 90 \
    "$work/in/photo$i.jpg"
done
echo "50 photos, $(identify -format '%w x %h' "$work/in/photo01.jpg"), $(du -sh "$work/in" | cut -f1)"

best() { sort -n | head -1; }
time_of() {  # prints seconds of one whole run
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null 2>&1
  end=$(date +%s.%N)
  echo "$end - $start" | bc
}
declare -A times
for run in $(seq "$runs"); do
  for tool in lumivex mogrify vips; do
    out="$work/out-$tool"
    rm -rf "$out"; mkdir -p "$out"
    case $tool in
      lumivex) t=$(time_of "$cli" convert --to jpg --fit 1920x1920 --out "$out" "$work"/in/*.jpg) ;;
      mogrify) t=$(time_of mogrify -path "$out" -resize 1920x1920 "$work"/in/*.jpg) ;;
      vips) t=$(time_of vipsthumbnail -s 1920 -o "$out/%s.jpg" "$work"/in/*.jpg) ;;
    esac
    [ "$(ls "$out" | wc -l)" -eq 50 ] || { echo "$tool wrote $(ls "$out" | wc -l) files" >&2; exit 1; }
    times[$tool]="${times[$tool]:-} $t"
  done
done
for tool in lumivex mogrify vips; do
  b=$(echo "${times[$tool]}" | tr ' ' '\n' | grep . | best)
  eval "best_$tool=$b"
  printf "%-8s best %6.2f s   (runs:%s)\n" "$tool" "$b" "${times[$tool]}"
done
printf "lumivex / mogrify      %.2f  (goal < 1)\n" "$(echo "$best_lumivex / $best_mogrify" | bc -l)"
printf "lumivex / vipsthumbnail %.2f  (goal <= 1.5)\n" "$(echo "$best_lumivex / $best_vips" | bc -l)"
identify -format "lumivex result: %w x %h\n" "$work/out-lumivex/photo01.jpg"

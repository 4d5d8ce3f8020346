#!/usr/bin/env bash
# An album of 60 twelve-megapixel JPEGs printed to PDF as a whole process:
# `lumivex-cli album print` (read the album, load and stretch each picture, record the pages,
# write the PDF page by page). Prints seconds per page and the peak memory, and the same for
# an album of a fifth of the pictures: memory should stay that of one page, not grow with the
# album.
#   bench/bench_album.sh build-rel/tools/lumivex-cli [COUNT] [ROWS] [COLS]
set -euo pipefail
cli=$(realpath "$1")
count=${2:-60}
rows=${3:-3}
cols=${4:-2}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# One 4000 x 3000 photo-like picture (smooth gradients with grain), as JPEG through our own
# converter, copied COUNT times.
python3 - "$work/base.ppm" <<'PY'
import random, sys
w, h = 4000, 3000
random.seed(7)
grain = bytes(random.randrange(0, 24) for _ in range(w * 3 + 7))
with open(sys.argv[1], "wb") as f:
    f.write(b"P6\n%d %d\n255\n" % (w, h))
    for y in range(h):
        row = bytearray(w * 3)
        for x in range(0, w * 3, 3):
            row[x] = (x // 3 * 255 // w)
            row[x + 1] = (y * 255 // h)
            row[x + 2] = 128
        off = (y * 31) % 7
        f.write(bytes((a + b) & 0xFF for a, b in zip(row, grain[off:off + w * 3])))
PY
"$cli" convert "$work/base.ppm" "$work/base.jpg" >/dev/null
rm "$work/base.ppm"
for i in $(seq 1 "$count"); do cp "$work/base.jpg" "$work/p$i.jpg"; done

make_album() {  # make_album FILE N
  python3 - "$1" "$2" "$work" "$rows" "$cols" <<'PY'
import sys
path, n, folder, rows, cols = sys.argv[1], int(sys.argv[2]), sys.argv[3], int(sys.argv[4]), int(sys.argv[5])
header = "%3d%3d%3d" % (rows, cols, 150) + "0" + "1" + "Arial".rjust(40) + "10" + "0".rjust(12) + "00"
records = "".join("%s/p%d.jpg\t\r\n" % (folder, i) for i in range(1, n + 1))
open(path, "wb").write((header + " " * 1000 + records).encode("cp1252"))
PY
}

run() {  # run N
  make_album "$work/album.alb" "$1"
  local pages=$(( ($1 + rows * cols - 1) / (rows * cols) ))
  /usr/bin/time -f "%e %M" -o "$work/time" "$cli" album print "$work/album.alb" --pdf "$work/album.pdf" >/dev/null
  read -r seconds kbytes < "$work/time"
  python3 -c "import sys; s, k, p, n = float(sys.argv[1]), int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4]); \
print('%3d pictures, %2d pages: %6.1f s, %5.2f s per page, peak %4d MB' % (n, p, s, s / p, k // 1024))" \
    "$seconds" "$kbytes" "$pages" "$1"
}

echo "lumivex-cli album print, ${rows}x${cols} cells per page, 4000x3000 JPEGs, 600 dpi Letter:"
run $(( count / 5 > 0 ? count / 5 : 1 ))
run "$count"

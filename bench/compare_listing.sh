#!/usr/bin/env bash
# The folder listing report of a 10,000-file folder as a whole process: `lumivex-cli listing`
# (read the folder, size every file, record the pages, write the PDF) beside enscript | ps2pdf
# setting the same lines (already made) as a PDF. Best of three runs each.
#   bench/compare_listing.sh build-rel/tools/lumivex-cli [COUNT]
set -euo pipefail
cli=$(realpath "$1")
count=${2:-10000}

missing=()
for p in enscript ghostscript poppler-utils; do dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p"); done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/folder"
python3 - "$work/folder" "$count" "$work/lines.txt" <<'PY'
import os, sys
folder, count, lines = sys.argv[1], int(sys.argv[2]), sys.argv[3]
with open(lines, "w") as out:
    for i in range(count):
        name = "IMG_%05d.jpg" % i
        size = (i * 7919) % 5000000
        with open(os.path.join(folder, name), "wb") as f:
            f.truncate(size)  # sparse: sizes without the disk traffic
        out.write("%s  (%dK)\n" % (name, size // 1024 + 1))
PY
export XDG_CONFIG_HOME="$work/config"  # no saved page-setup defaults

best() {  # best wall time of three runs of "$@", in seconds
  local best=""
  for _ in 1 2 3; do
    local start end t
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    t=$(echo "$end - $start" | bc -l)
    if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" = 1 ]; then best=$t; fi
  done
  echo "$best"
}

ours=$(best "$cli" listing "$work/folder" --pdf "$work/ours.pdf" --mask '*.jpg')
ourPages=$(pdfinfo "$work/ours.pdf" | awk '/^Pages:/ {print $2}')
theirs=$(best sh -c "enscript -q -B -f Helvetica10 --media=Letter -o - '$work/lines.txt' | ps2pdf - '$work/theirs.pdf'")
theirPages=$(pdfinfo "$work/theirs.pdf" | awk '/^Pages:/ {print $2}')

printf '%d files\n' "$count"
printf 'lumivex-cli listing     %6.3f s  %4d pages  %7.1f pages/s\n' "$ours" "$ourPages" "$(echo "$ourPages / $ours" | bc -l)"
printf 'enscript | ps2pdf       %6.3f s  %4d pages  %7.1f pages/s\n' "$theirs" "$theirPages" "$(echo "$theirPages / $theirs" | bc -l)"
printf 'ratio (ours / theirs)   %6.2f\n' "$(echo "$ours / $theirs" | bc -l)"

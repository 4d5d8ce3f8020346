#!/usr/bin/env bash
# The file search over a tree of 100,000 files as a whole process: `lumivex-cli search`
# beside `find -iname` over the same tree, both printing the matching paths. Best of three
# runs each, after one warm-up run of each (the tree then sits in the page cache).
#   bench/compare_search.sh build/tools/lumivex-cli [COUNT]
set -euo pipefail
cli=$(realpath "$1")
count=${2:-100000}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 - "$work/tree" "$count" <<'PY'
import os, sys
root, count = sys.argv[1], int(sys.argv[2])
exts = [".jpg", ".png", ".gif", ".bmp", ".txt"]
for i in range(count):
    folder = os.path.join(root, "d%02d" % (i % 50), "e%03d" % (i // 50 % 40))
    os.makedirs(folder, exist_ok=True)
    open(os.path.join(folder, "IMG_%06d%s" % (i, exts[i % len(exts)])), "wb").close()
PY

best() {  # best wall time of three runs of "$@", in seconds
  "$@" >/dev/null 2>&1
  local best=""
  for _ in 1 2 3; do
    local start end t
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    t=$(echo "$end - $start" | bc -l)
    if [ -z "$best" ] || (( $(echo "$t < $best" | bc -l) )); then best=$t; fi
  done
  echo "$best"
}

ours=$(best "$cli" search '*.jpg' "$work/tree")
theirs=$(best find "$work/tree" -iname '*.jpg' -type f)
n_ours=$("$cli" search '*.jpg' "$work/tree" 2>/dev/null | wc -l)
n_find=$(find "$work/tree" -iname '*.jpg' -type f | wc -l)
printf 'files: %d  matches: lumivex %d, find %d\n' "$count" "$n_ours" "$n_find"
printf 'lumivex-cli search: %.3f s\nfind -iname:        %.3f s\nratio: %.2f\n' \
  "$ours" "$theirs" "$(echo "$ours / $theirs" | bc -l)"

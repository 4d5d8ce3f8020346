#!/usr/bin/python3
"""Times Pillow on the work bench_imaging measures and prints our time over Pillow's.

Usage: bench/compare_pillow.py path/to/bench_imaging
Needs Debian's python3-pil and python3-numpy (bench/install-bench-deps installs them).
"""
import json
import subprocess
import sys
import time

import numpy as np
from PIL import Image

W, H = 6000, 4000


def make_photo():
    """The picture bench_imaging builds: smooth waves plus a little noise (same generator)."""
    n = W * H
    seeds = np.empty(n, dtype=np.uint32)
    seed = np.uint32(12345)
    # The linear congruential sequence, computed in blocks with numpy.
    a, c = np.uint64(1664525), np.uint64(1013904223)
    block = 1 << 20
    mults = np.empty(block, dtype=np.uint64)
    adds = np.empty(block, dtype=np.uint64)
    m, k = np.uint64(1), np.uint64(0)
    mask = np.uint64(0xFFFFFFFF)
    for i in range(block):
        m = (m * a) & mask
        k = (k * a + c) & mask
        mults[i], adds[i] = m, k
    cur = np.uint64(seed)
    for start in range(0, n, block):
        cnt = min(block, n - start)
        vals = (mults[:cnt] * cur + adds[:cnt]) & mask
        seeds[start:start + cnt] = vals.astype(np.uint32)
        cur = vals[cnt - 1]
    noise = ((seeds >> 24) & 15).astype(np.int32).reshape(H, W) - 8
    y, x = np.mgrid[0:H, 0:W].astype(np.int32)
    r = (x * 255) // W
    g = (y * 255) // H
    b = ((x + y) * 255) // (W + H)
    wave = ((x // 7 + y // 5) % 64) - 32
    # C++ integer division truncates toward zero.
    half = np.where(wave < 0, -((-wave) // 2), wave // 2)
    third = np.where(wave < 0, -((-wave) // 3), wave // 3)
    rgb = np.stack([r + wave + noise, g - half + noise, b + third + noise], axis=-1)
    return Image.fromarray(np.clip(rgb, 0, 255).astype(np.uint8), "RGB")


def best_of(fn, runs):
    best = None
    for _ in range(runs):
        t = time.perf_counter()
        fn()
        dt = (time.perf_counter() - t) * 1000
        best = dt if best is None else min(best, dt)
    return best


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    out = subprocess.run([sys.argv[1], "--benchmark_format=json", "--benchmark_repetitions=3"],
                         check=True, capture_output=True, text=True).stdout
    ours = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("run_type") == "iteration":  # best of the repetitions, like Pillow's side
            ours[b["run_name"]] = min(ours.get(b["run_name"], b["real_time"]), b["real_time"])
    img = make_photo()
    big = (int(W * 2.5), int(H * 2.5))
    theirs = {
        "reduce area average (smPrecise) vs BOX":
            ("BM_StretchReduce/2", best_of(lambda: img.resize((1920, 1280), Image.BOX), 5)),
        "reduce interpolation (smMedium) vs BILINEAR":
            ("BM_StretchReduce/1", best_of(lambda: img.resize((1920, 1280), Image.BILINEAR), 5)),
        "reduce one pixel (smFast) vs NEAREST":
            ("BM_StretchReduce/0", best_of(lambda: img.resize((1920, 1280), Image.NEAREST), 5)),
        "enlarge 2.5x area average (smMedium) vs BOX":
            ("BM_StretchEnlarge/1/iterations:2", best_of(lambda: img.resize(big, Image.BOX), 3)),
        "enlarge 2.5x interpolation (smPrecise) vs BILINEAR":
            ("BM_StretchEnlarge/2/iterations:2", best_of(lambda: img.resize(big, Image.BILINEAR), 3)),
        "enlarge 2.5x one pixel (smFast) vs NEAREST":
            ("BM_StretchEnlarge/0/iterations:2", best_of(lambda: img.resize(big, Image.NEAREST), 3)),
        "252 colours + dithering vs quantize(252, FS)":
            ("BM_Optimized252Dithered/iterations:2",
             best_of(lambda: img.quantize(252, dither=Image.Dither.FLOYDSTEINBERG), 3)),
        "rotate 30 degrees vs rotate(30, BILINEAR, expand)":
            ("BM_Rotate30/iterations:2",
             best_of(lambda: img.rotate(-30, Image.BILINEAR, expand=True), 3)),
    }
    print(f"{'work':55} {'ours ms':>9} {'Pillow ms':>10} {'ratio':>6}")
    for label, (name, pillow_ms) in theirs.items():
        mine = ours.get(name)
        ratio = mine / pillow_ms if mine else float("nan")
        print(f"{label:55} {mine:9.1f} {pillow_ms:10.1f} {ratio:6.2f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/python3
"""Whole-process comparison of our GIF decoder and WriteGIFFile with giflib-era tools.

Usage: bench/compare_gif.py path/to/bench_gif [--runs N]

Makes an 8-bit 1920x1200 picture (bench_gif --make), then times as whole processes, best of
N runs:
  decode  GIF -> BMP   bench_gif --decode   vs ImageMagick convert, netpbm giftopnm
  encode  BMP -> GIF   bench_gif --encode   vs ImageMagick convert, netpbm bmptopnm|pamtogif
and prints each time and ours over the other tool's (goal: at most 1.0).
"""
import shutil
import subprocess
import sys
import tempfile
import time


def best(cmd, runs, shell=False):
    times = []
    for _ in range(runs):
        t = time.perf_counter()
        subprocess.run(cmd, check=True, shell=shell, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        times.append(time.perf_counter() - t)
    return min(times)


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    tool = sys.argv[1]
    runs = int(sys.argv[sys.argv.index("--runs") + 1]) if "--runs" in sys.argv else 5
    d = tempfile.mkdtemp()
    bmp, gif = f"{d}/pic.bmp", f"{d}/pic.gif"
    subprocess.run([tool, "--make", bmp], check=True)
    subprocess.run([tool, "--encode", bmp, gif], check=True)
    rows = []
    ours = best([tool, "--decode", gif, f"{d}/out.bmp"], runs)
    if shutil.which("convert"):
        rows.append(("decode", "ImageMagick", ours, best(["convert", gif, f"{d}/im.bmp"], runs)))
    if shutil.which("giftopnm"):
        rows.append(("decode", "giftopnm", ours,
                     best(f"giftopnm {gif} > {d}/nb.ppm", runs, shell=True)))
    ours = best([tool, "--encode", bmp, f"{d}/ours.gif"], runs)
    if shutil.which("convert"):
        rows.append(("encode", "ImageMagick", ours, best(["convert", bmp, f"{d}/im.gif"], runs)))
    if shutil.which("pamtogif") and shutil.which("bmptopnm"):
        rows.append(("encode", "pamtogif", ours,
                     best(f"bmptopnm {bmp} | pamtogif > {d}/nb.gif", runs, shell=True)))
    print(f"{'op':8}{'other tool':14}{'ours ms':>10}{'other ms':>10}{'ratio':>8}")
    for op, other, a, b in rows:
        print(f"{op:8}{other:14}{a * 1000:10.1f}{b * 1000:10.1f}{a / b:8.2f}")
    shutil.rmtree(d)
    return 0


if __name__ == "__main__":
    sys.exit(main())

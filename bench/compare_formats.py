#!/usr/bin/python3
"""Whole-process comparison of lumivex-cli with ImageMagick's convert and Pillow.

Usage: bench/compare_formats.py path/to/lumivex-cli [--runs N]

For BMP, PPM and TGA, times the decode (FORMAT -> binary PPM) and the encode (binary PPM ->
FORMAT) of a 24-bit 1920x1200 picture as whole processes, best of N runs, and prints MB/s of
pixel data for each tool and lumivex's time over the other tool's (goal: at most 1.0).
Installs python3-pil, imagemagick and netpbm when they are missing.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

W, H = 1920, 1200
PIXEL_MB = W * H * 3 / 1e6
PACKAGES = ["python3-pil", "imagemagick", "netpbm"]


def install_missing():
    missing = [p for p in PACKAGES
               if subprocess.run(["dpkg", "-s", p], capture_output=True).returncode != 0]
    if not missing:
        return
    sudo = [] if os.geteuid() == 0 else ["sudo"]
    subprocess.run(sudo + ["apt-get", "update", "-qq"], check=True)
    subprocess.run(sudo + ["apt-get", "install", "-y", "-qq", "--no-install-recommends"]
                   + missing, check=True, env=dict(os.environ, DEBIAN_FRONTEND="noninteractive"))


def uncompressed(path):
    """ImageMagick options for uncompressed BMP and TGA output (PPM stays binary)."""
    return [] if path.endswith(".ppm") else ["-compress", "none"]


def best_time(command, runs):
    best = None
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run(command, check=True, stdout=subprocess.DEVNULL)
        elapsed = time.perf_counter() - start
        best = elapsed if best is None else min(best, elapsed)
    return best


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    cli = os.path.abspath(sys.argv[1])
    runs = int(sys.argv[sys.argv.index("--runs") + 1]) if "--runs" in sys.argv else 5
    install_missing()
    work = tempfile.mkdtemp(prefix="lumivex-bench-")
    try:
        source = os.path.join(work, "source.ppm")
        subprocess.run(["convert", "-seed", "7", "-size", f"{W}x{H}", "plasma:fractal",
                        "-depth", "8", source], check=True)
        inputs = {}
        for fmt in ("bmp", "ppm", "tga"):
            inputs[fmt] = os.path.join(work, "input." + fmt)
            subprocess.run(["convert", source] + uncompressed(inputs[fmt]) + ["-depth", "8",
                            ("bmp3:" if fmt == "bmp" else "") + inputs[fmt]], check=True)

        def tools(src, dst):
            return {
                "lumivex": [cli, "convert", "--set", "PXMWriteBinary=true", "--set",
                            "GammaCorrectionOnRead=false", src, dst],
                "imagemagick": ["convert", src] + uncompressed(dst)
                               + [("bmp3:" if dst.endswith(".bmp") else "") + dst],
                "pillow": ["/usr/bin/python3", "-c",
                           "import sys; from PIL import Image; "
                           "Image.open(sys.argv[1]).save(sys.argv[2])", src, dst],
            }

        print(f"{'task':14} {'lumivex MB/s':>13} {'magick MB/s':>12} {'pillow MB/s':>12}"
              f" {'vs magick':>10} {'vs pillow':>10}")
        for fmt in ("bmp", "ppm", "tga"):
            for task, src, dst in (("decode", inputs[fmt], os.path.join(work, "out.ppm")),
                                   ("encode", inputs["ppm"], os.path.join(work, "out." + fmt))):
                times = {name: best_time(cmd, runs) for name, cmd in tools(src, dst).items()}
                mbs = {name: PIXEL_MB / t for name, t in times.items()}
                print(f"{task + ' ' + fmt:14} {mbs['lumivex']:13.1f} {mbs['imagemagick']:12.1f}"
                      f" {mbs['pillow']:12.1f} {times['lumivex'] / times['imagemagick']:10.2f}"
                      f" {times['lumivex'] / times['pillow']:10.2f}")
    finally:
        shutil.rmtree(work)


if __name__ == "__main__":
    main()

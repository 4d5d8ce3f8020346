#!/usr/bin/python3
"""Times the filters as whole processes on one 24-megapixel photo: `lumivex-cli filter` beside
Pillow and ImageMagick doing the same kind of work, and prints our time over theirs.

Usage: bench/compare_filters.py path/to/lumivex-cli [PHOTO]
Without PHOTO a 6000x4000 photo-like PPM is made. Every side reads the same PPM and writes a
PPM (BMP for us), so reading and writing cost about the same everywhere. Best of three runs.
Needs Debian's python3-pil, python3-numpy and imagemagick.
"""
import os
import subprocess
import sys
import tempfile
import time

import numpy as np
from PIL import Image

W, H = 6000, 4000


def make_photo(path):
    y, x = np.mgrid[0:H, 0:W].astype(np.int32)
    rng = np.random.default_rng(12345)
    noise = rng.integers(-8, 8, size=(H, W), dtype=np.int32)
    wave = ((x // 7 + y // 5) % 64) - 32
    r = (x * 255) // W + wave + noise
    g = (y * 255) // H - wave // 2 + noise
    b = ((x + y) * 255) // (W + H) + wave // 3 + noise
    rgb = np.clip(np.stack([r, g, b], axis=-1), 0, 255).astype(np.uint8)
    Image.fromarray(rgb, "RGB").save(path)


PILLOW = {
    "greyscale": "from PIL import ImageOps\nImageOps.grayscale(im).save(out)",
    "bcg": ("from PIL import ImageEnhance\n"
            "im = ImageEnhance.Brightness(im).enhance(1.2)\n"
            "im = ImageEnhance.Contrast(im).enhance(1.2)\n"
            "lut = [min(255, round(255 * (i / 255) ** (1 / 1.2))) for i in range(256)] * 3\n"
            "im.point(lut).save(out)"),
    "hsv": ("h, s, v = im.convert('HSV').split()\n"
            "h = h.point(lambda i: (i + 21) % 256)\n"
            "Image.merge('HSV', (h, s, v)).convert('RGB').save(out)"),
    "sharpen": ("from PIL import ImageFilter\n"
                "im.filter(ImageFilter.UnsharpMask(radius=1, percent=50, threshold=0)).save(out)"),
    "smooth": "from PIL import ImageFilter\nim.filter(ImageFilter.GaussianBlur(1.3)).save(out)",
    "blur": "from PIL import ImageFilter\nim.filter(ImageFilter.GaussianBlur(2.5)).save(out)",
}

OURS = {
    "greyscale": ["grayscale"],
    "bcg": ["bcg", "--param", "brightness=20", "--param", "contrast=1.2", "--param", "gamma=1.2"],
    "hsv": ["hsv", "--param", "h=30"],
    "sharpen": ["sharpen"],
    "smooth": ["smooth"],
    "blur": ["blur", "--param", "radius=2.5"],
}

MAGICK = {
    "sharpen": ["-sharpen", "0x0.75"],
    "smooth": ["-blur", "0x1.3"],
    "blur": ["-blur", "0x2.5"],
}


def best_of(cmd, runs=3):
    best = None
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL)
        took = time.perf_counter() - start
        best = took if best is None else min(best, took)
    return best


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    cli = sys.argv[1]
    with tempfile.TemporaryDirectory() as tmp:
        photo = sys.argv[2] if len(sys.argv) > 2 else os.path.join(tmp, "photo.ppm")
        if len(sys.argv) <= 2:
            make_photo(photo)
        ours_out = os.path.join(tmp, "ours.bmp")
        theirs_out = os.path.join(tmp, "theirs.ppm")
        print(f"{'filter':10} {'ours s':>8} {'Pillow s':>9} {'ratio':>6} {'IM s':>7} {'ratio':>6}")
        for name, args in OURS.items():
            ours = best_of([cli, "filter", *args, "--seed", "1", photo, ours_out])
            script = (f"from PIL import Image\nim = Image.open({photo!r}).convert('RGB')\n"
                      f"out = {theirs_out!r}\n{PILLOW[name]}\n")
            pillow = best_of(["/usr/bin/python3", "-c", script])
            line = f"{name:10} {ours:8.2f} {pillow:9.2f} {ours / pillow:6.2f}"
            if name in MAGICK:
                magick = best_of(["/usr/bin/convert", photo, *MAGICK[name], theirs_out])
                line += f" {magick:7.2f} {ours / magick:6.2f}"
            print(line, flush=True)


if __name__ == "__main__":
    main()

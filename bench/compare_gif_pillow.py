#!/usr/bin/python3
"""Whole-process comparison for the animated GIF control: the time bench_gifcontrol needs to
decode and compose the 100-frame 640x480 sample, beside Pillow opening the same file and
loading every frame (Pillow composes each frame onto the previous ones as it goes).

    bench/compare_gif_pillow.py build/bench/bench_gifcontrol
"""
import json
import subprocess
import sys
import tempfile
import time
from pathlib import Path

from PIL import Image, ImageSequence


def main() -> int:
    bench = sys.argv[1] if len(sys.argv) > 1 else "build/bench/bench_gifcontrol"
    with tempfile.TemporaryDirectory() as tmp:
        sample = Path(tmp) / "sample.gif"
        subprocess.run([bench, f"--write-sample={sample}"], check=True)
        out = subprocess.run(
            [bench, "--benchmark_filter=LoadAndCompose", "--benchmark_format=json",
             "--benchmark_min_time=1"], check=True, capture_output=True, text=True).stdout
        ours = json.loads(out)["benchmarks"][0]["real_time"]  # ms
        runs = []
        for _ in range(3):
            start = time.perf_counter()
            with Image.open(sample) as im:
                frames = 0
                for frame in ImageSequence.Iterator(im):
                    frame.load()
                    frames += 1
            runs.append((time.perf_counter() - start) * 1000)
        pillow = min(runs)
        size = sample.stat().st_size
    print(f"frames: {frames}, file: {size // 1024} KiB")
    print(f"lumivex decode+compose: {ours:8.1f} ms")
    print(f"Pillow  decode+compose: {pillow:8.1f} ms")
    print(f"ratio (ours / Pillow):  {ours / pillow:8.2f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())

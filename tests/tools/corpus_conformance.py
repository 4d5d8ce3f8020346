#!/usr/bin/python3
"""Runs lumivex-cli over the BMP, PCX, anymap and TGA files of the conformance corpus.

Usage: corpus_conformance.py LUMIVEX_CLI CORPUS_DIR
Fails on any crash, hang or invalid file accepted, and on any valid file that does not
decode to its reference unless it is listed below with the reason. Exits 77 (skipped) when
the corpus or Pillow is not there.
"""
import json
import os
import subprocess
import sys
import tempfile

# Valid files that the readers do not decode like the reference, and why.
KNOWN = {
    "files/pcx/kpcx_CGA_BW.PCX": "palette info 0 is refused",
    "files/pcx/kpcx_tiny.pcx": "palette info other than 1 is refused",
    "files/pcx/pil_pil184.pcx": "palette info 0 is refused",
    "files/tga/irs_b5-unused-cmap.tga": "the reference skips 15-bit map entries as 15 bits; the file holds 2 bytes each",
}


def main():
    cli, corpus = os.path.abspath(sys.argv[1]), sys.argv[2]
    if not os.path.exists(os.path.join(corpus, "compare.py")):
        print("conformance corpus not present: skipped")
        return 77
    if subprocess.run(["/usr/bin/python3", "-c", "import PIL, numpy"]).returncode != 0:
        print("python3-pil or python3-numpy missing: skipped")
        return 77
    failures = []
    with tempfile.TemporaryDirectory() as work:
        result = os.path.join(work, "result.json")
        command = [
            "/usr/bin/python3", os.path.join(corpus, "compare.py"), "--decode",
            cli + " convert --set GammaCorrectionOnRead=false {in} {out}", "--out-ext", "ppm",
            "--jobs", "2", "--json", result,
        ]
        for fmt in ("bmp", "pcx", "pnm", "tga"):
            command += ["--format", fmt]
        subprocess.run(command, cwd=corpus, stdout=subprocess.DEVNULL)
        with open(result) as f:
            rows = json.load(f)["results"]
    for row in rows:
        outcome, name = row["outcome"], row["file"]
        if outcome in ("crash/timeout", "unexpected-success") or outcome.startswith("crash"):
            failures.append(f"{name}: {outcome} {row.get('stderr', '')!r}")
        elif row["expectation"] == "valid" and outcome != "match" and name not in KNOWN:
            failures.append(f"{name}: {outcome} {row.get('stderr', '')!r}")
    stale = [n for n in KNOWN if any(r["file"] == n and r["outcome"] == "match" for r in rows)]
    for name in stale:
        failures.append(f"{name}: now matches; remove it from the known list")
    print(f"{len(rows)} corpus files checked")
    for f in failures:
        print("FAIL", f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

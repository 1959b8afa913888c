#!/usr/bin/env python3
"""Writes coalesce-expectations.txt: what ImageMagick shows for every frame
of the corpus GIFs, so that the tests can compare the codec's composed
animation with it without ImageMagick at hand.

Usage: make-coalesce-expectations.py CORPUS_DIR > coalesce-expectations.txt

Each line: file (relative to the corpus), width, height, frame count, then
one FNV-1a 64 hash per frame over its RGBA bytes, top row first. Pixels of
alpha 0 count as 0,0,0,0: a transparent pixel's colour is nobody's business
(ImageMagick keeps the transparent index's colour, the codec keeps it too,
but a cleared area has none). "-alpha set" makes the first frame start on a
transparent screen instead of ImageMagick's opaque background colour, which
is what the codec and browsers do.
"""
import os
import subprocess
import sys

CONVERT = "/usr/bin/convert"
FILES = sorted("gif/" + name for name in os.listdir(os.path.join(sys.argv[1], "gif")) if name.endswith(".gif"))
FILES.append("odd/welcome2-truncated.gif")


def fnv1a64(data):
    h = 0xCBF29CE484222325
    for b in data:
        h ^= b
        h = (h * 0x100000001B3) & 0xFFFFFFFFFFFFFFFF
    return h


def normalised(frame):
    out = bytearray(frame)
    for i in range(0, len(out), 4):
        if out[i + 3] == 0:
            out[i:i + 4] = b"\0\0\0\0"
    return bytes(out)


for name in FILES:
    path = os.path.join(sys.argv[1], name)
    info = subprocess.run([CONVERT, path, "-alpha", "set", "-coalesce", "-format", "%w %h\n", "info:"],
                          capture_output=True, text=True)
    sizes = info.stdout.split()
    if info.returncode != 0 or not sizes:
        print(f"# {name}: ImageMagick cannot read it", file=sys.stderr)
        continue
    w, h = int(sizes[0]), int(sizes[1])
    raw = subprocess.run([CONVERT, path, "-alpha", "set", "-coalesce", "-depth", "8", "rgba:-"],
                         capture_output=True).stdout
    size = w * h * 4
    frames = [raw[i:i + size] for i in range(0, len(raw), size)]
    hashes = " ".join(f"{fnv1a64(normalised(f)):016x}" for f in frames)
    print(f"{name} {w} {h} {len(frames)} {hashes}")

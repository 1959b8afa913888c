#!/usr/bin/env python3
"""Writes the expected decode of every JPEG and PNG file of the shared corpus.

Run by hand when the corpus changes (it needs djpeg from libjpeg-turbo-progs
and ImageMagick 6's convert); the unit tests only read what it writes:

    tools/corpus-expectations.py ../shared/corpus tests/data

One line per file: its path below the corpus, the outcome, the size, whether
some pixel is not opaque, and a 64-bit FNV-1a digest of the picture as
8-bit R, G, B, A bytes, top row first.

Outcomes: undetected (no JPEG or PNG signature, or 100 bytes or less), ok (the
decode succeeds), partial (the decode fails after some rows: those rows are as
the reference gives them, the rest are zero), empty (fails before any row).

The truth for JPEG is the library's own tool, djpeg, with its defaults; for
four-component files, whose RGB djpeg rounds where the codec truncates,
ImageMagick's inverted CMYK samples put through the codec's formula
(R = C x K / 255 on the stored samples). Every JPEG is also checked against
ImageMagick. The truth for PNG is ImageMagick at 16 bits per sample, high
bytes kept (libpng's strip), read without any colour-space conversion. PNG
files that ImageMagick refuses but the codec decodes partly are judged in the
tests against the intact file they were made from, so they carry no digest.
"""
import os
import subprocess
import sys

JPEG_MARKERS = set(range(0xC0, 0xF0)) | {0xF0, 0xFD, 0xFE, 0x01}
PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"
# Corpus files that ImageMagick gives up on (too many warnings) while the
# library, and so the codec, finishes them: djpeg alone is the truth.
IM_GIVES_UP = {"odd/jpeg-truncated-progressive.jpg"}
# Cut or damaged PNG files and the intact files they come from.
PNG_PARTIAL = {
    "odd/debug_triangle-truncated.png": "png/debug_triangle_corners_widescreen.png",
    "odd/xcsn0g01.png": "png/basn0g01.png",
}


def fnv1a64(data):
    h = 0xCBF29CE484222325
    for b in data:
        h = ((h ^ b) * 0x100000001B3) & 0xFFFFFFFFFFFFFFFF
    return h


def detect(path):
    data = open(path, "rb").read(101)
    if len(data) <= 100:
        return None
    if data[:3] == b"\xff\xd8\xff":
        return "jpg" if data[3] in JPEG_MARKERS else None
    if data[:8] == PNG_SIGNATURE:
        return "png"
    return None


# ImageMagick 6 itself, not a wrapper that may stand in front of it.
CONVERT = "/usr/bin/convert" if os.path.exists("/usr/bin/convert") else "convert"


def run(args):
    if args[0] == "convert":
        args = [CONVERT] + args[1:]
    return subprocess.run(args, capture_output=True)


def parse_pnm(data):
    """(width, height, channels, pixels) of a binary PGM or PPM, or None."""
    fields, pos = [], 0
    while len(fields) < 4:
        while pos < len(data) and data[pos : pos + 1].isspace():
            pos += 1
        start = pos
        while pos < len(data) and not data[pos : pos + 1].isspace():
            pos += 1
        if start == pos:
            return None
        fields.append(data[start:pos])
    pos += 1
    channels = {b"P5": 1, b"P6": 3}.get(fields[0])
    if channels is None:
        return None
    return int(fields[1]), int(fields[2]), channels, data[pos:]


def rgba_from(channels, pixels, count):
    out = bytearray(count * 4)
    for i in range(min(count, len(pixels) // channels)):
        if channels == 1:
            out[4 * i : 4 * i + 4] = bytes((pixels[i],) * 3 + (255,))
        else:
            out[4 * i : 4 * i + 4] = pixels[3 * i : 3 * i + 3] + b"\xff"
    return out


def im_rgba8(path):
    p = run(["convert", path + "[0]", "-depth", "8", "rgba:-"])
    return p.stdout


def im_cmyk_truth(path):
    raw = run(["convert", path, "-depth", "8", "cmyk:-"]).stdout
    out = bytearray()
    for i in range(0, len(raw), 4):
        c, m, y, k = (255 - v for v in raw[i : i + 4])  # back to the stored samples
        out += bytes((c * k // 255, m * k // 255, y * k // 255, 255))
    return out


def jpeg_line(rel, path):
    p = run(["djpeg", "-pnm", path])
    pnm = parse_pnm(p.stdout)
    if pnm is None:
        return f"{rel} empty 0 0 0 -"
    width, height, channels, pixels = pnm
    count = width * height
    rows = len(pixels) // (width * channels)
    if rows == 0:
        return f"{rel} empty 0 0 0 -"
    outcome = "ok" if p.returncode in (0, 2) else "partial"
    components = run(["identify", "-format", "%[colorspace]", path + "[0]"]).stdout.decode()
    if components == "CMYK":
        rgba = im_cmyk_truth(path)
    else:
        rgba = rgba_from(channels, pixels, count)
        im = im_rgba8(path)
        if rel not in IM_GIVES_UP and im[: rows * width * 4] != rgba[: rows * width * 4]:
            sys.exit(f"{rel}: djpeg and ImageMagick disagree")
    return f"{rel} {outcome} {width} {height} 0 {fnv1a64(rgba):016x}"


def png_line(rel, path):
    if rel in PNG_PARTIAL:
        size = run(["identify", "-format", "%w %h", os.path.join(os.path.dirname(path), "..", PNG_PARTIAL[rel])])
        width, height = size.stdout.decode().split()
        return f"{rel} partial {width} {height} - -"
    p = run(["convert", path + "[0]", "-set", "colorspace", "sRGB", "-endian", "MSB", "-depth", "16", "rgba:-"])
    if p.returncode != 0 or not p.stdout:
        return f"{rel} empty 0 0 0 -"
    size = run(["identify", "-format", "%w %h", path + "[0]"]).stdout.decode().split()
    width, height = int(size[0]), int(size[1])
    rgba = p.stdout[0::2]
    alphas = rgba[3::4]
    # A picture whose alpha bytes are all 0 is read as opaque; none is in the corpus.
    has_alpha = int(any(a != 255 for a in alphas) and any(a != 0 for a in alphas))
    return f"{rel} ok {width} {height} {has_alpha} {fnv1a64(rgba):016x}"


def main():
    corpus, out = sys.argv[1], sys.argv[2]
    tables = {"jpg": [], "png": []}
    folders = {"jpg": ["jpeg", "photos", "odd"], "png": ["png", "odd"]}
    for kind, names in folders.items():
        for folder in names:
            for name in sorted(os.listdir(os.path.join(corpus, folder))):
                rel = f"{folder}/{name}"
                path = os.path.join(corpus, rel)
                found = detect(path)
                if folder == "odd":
                    # Odd files belong to the table of their name's format or of their content.
                    ext = os.path.splitext(name)[1].lower()
                    named = {".jpg": "jpg", ".jpeg": "jpg", ".png": "png"}.get(ext)
                    if found != kind and not (found is None and named == kind):
                        continue
                if found is None:
                    tables[kind].append(f"{rel} undetected 0 0 0 -")
                elif found == "jpg":
                    tables[kind].append(jpeg_line(rel, path))
                else:
                    tables[kind].append(png_line(rel, path))
    header = (
        "# Written by tools/corpus-expectations.py; see there for how each value was made.\n"
        "# path outcome width height hasAlpha fnv1a64-of-RGBA\n"
    )
    for kind, folder in (("jpg", "jpeg"), ("png", "png")):
        with open(os.path.join(out, folder, "corpus-expected.txt"), "w") as f:
            f.write(header + "\n".join(tables[kind]) + "\n")


if __name__ == "__main__":
    main()

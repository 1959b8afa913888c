#!/usr/bin/env python3
"""Writes what ImageMagick shows for every entry of the corpus icons.

Run by hand when the corpus changes (it needs ImageMagick 6's convert):

    tests/data/ico/make-corpus-expectations.py ../shared/corpus/ico > tests/data/ico/corpus-expected.txt

One line per file: its name, the number of entries, then per entry in the
order the codec keeps them (the record nearest 32 x 32 at 32 bits first, then
the others in directory order) the directory index, width, height, bit count
of the entry's own header (32 for PNG streams) and a 64-bit FNV-1a digest of
the picture as R, G, B, A bytes, top row first, with every fully transparent
pixel counted as 0, 0, 0, 0 (what such a pixel shows does not depend on its
colour).

ImageMagick reads the pixels of a classic entry right after the first 40
bytes of its header, whatever the header's size says; for the entries with a
longer header (bmp_v5_with_icc.ico: 124 bytes) the picture is decoded here
instead, from the bytes after the stated header (24- and 32-bit only).
"""
import os
import struct
import subprocess
import sys

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def fnv1a64(data):
    h = 0xCBF29CE484222325
    for b in data:
        h = ((h ^ b) * 0x100000001B3) & 0xFFFFFFFFFFFFFFFF
    return h


def records(data):
    count = struct.unpack_from("<H", data, 4)[0]
    out = []
    for i in range(count):
        w, h, _, _, _, bits, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        out.append((w, h, bits, size, offset))
    return out


def best_fit(recs):
    best = 0
    for i, (w, h, bits, _, _) in enumerate(recs):
        if w == 32 and h == 32 and bits == 32:
            return i
        if i == 0:
            continue
        bw, bh, bbits = recs[best][0], recs[best][1], recs[best][2]
        d, bd = abs(1024 - w * h), abs(1024 - bw * bh)
        if d < bd or (d == bd and abs(32 - bits) < abs(32 - bbits)):
            best = i
    return best


def header_depth(data, size, offset):
    body = data[offset:offset + size]
    if body[:8] == PNG_SIGNATURE:
        return 32
    return struct.unpack_from("<H", body, 14)[0]


def shown_digest(rgba):
    shown = bytearray(rgba)
    for p in range(0, len(shown), 4):
        if shown[p + 3] == 0:
            shown[p:p + 4] = b"\0\0\0\0"
    return fnv1a64(bytes(shown))


def own_decode(body):
    size, w, h2, _, bits = struct.unpack_from("<IiiHH", body, 0)
    h = h2 // 2
    if bits not in (24, 32):
        raise SystemExit("no own decode for %d bits" % bits)
    stride = ((bits * w + 31) >> 3) & ~3
    mask_stride = ((w + 31) >> 3) & ~3
    pixels = body[size:]
    mask = pixels[stride * h:]
    out = bytearray()
    for y in range(h):
        r = h - 1 - y
        for x in range(w):
            p = r * stride + x * bits // 8
            b, g, red = pixels[p], pixels[p + 1], pixels[p + 2]
            if bits == 32:
                a = pixels[p + 3]
            else:
                a = 0 if (mask[r * mask_stride + x // 8] >> (7 - x % 8)) & 1 else 255
            out += bytes((red, g, b, a))
    return w, h, shown_digest(bytes(out))


def entry(path, index):
    size = subprocess.run(["identify", "-format", "%w %h", "%s[%d]" % (path, index)],
                          check=True, capture_output=True).stdout.split()
    rgba = subprocess.run(["convert", "%s[%d]" % (path, index), "-depth", "8", "rgba:-"],
                          check=True, capture_output=True).stdout
    return int(size[0]), int(size[1]), shown_digest(rgba)


def main(folder):
    for name in sorted(os.listdir(folder)):
        if not name.lower().endswith(".ico"):
            continue
        path = os.path.join(folder, name)
        data = open(path, "rb").read()
        recs = records(data)
        first = best_fit(recs)
        order = [first] + [i for i in range(len(recs)) if i != first]
        fields = [name, str(len(order))]
        for i in order:
            body = data[recs[i][4]:recs[i][4] + recs[i][3]]
            if body[:8] != PNG_SIGNATURE and struct.unpack_from("<I", body, 0)[0] != 40:
                w, h, digest = own_decode(body)
            else:
                w, h, digest = entry(path, i)
            fields += [str(i), str(w), str(h), str(header_depth(data, recs[i][3], recs[i][4])), "%016x" % digest]
        print(" ".join(fields))


if __name__ == "__main__":
    main(sys.argv[1])

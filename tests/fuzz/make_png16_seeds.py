#!/usr/bin/env python3
"""Writes the 16-bit seeds of the PNG fuzz target: every colour type of 16
bits per channel, interlaced and not, and with a transparent value, each a few
pixels whose samples differ in both bytes.

    python3 tests/fuzz/make_png16_seeds.py tests/fuzz/corpus/fuzz_png
"""
import struct
import sys
import zlib
from pathlib import Path

WIDTH, HEIGHT = 3, 3
CHANNELS = {0: 1, 2: 3, 4: 2, 6: 4}
# (x start, y start, x step, y step) of the seven interlace passes.
ADAM7 = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)]


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def pixel(colour_type, x, y):
    return [(x * 0x3A7F + y * 0x51C3 + c * 0x1F0F + 0x00FF) & 0xFFFF for c in range(CHANNELS[colour_type])]


def rows(colour_type, interlaced):
    passes = ADAM7 if interlaced else [(0, 0, 1, 1)]
    out = b""
    for x0, y0, dx, dy in passes:
        xs = range(x0, WIDTH, dx)
        if not xs:
            continue
        for y in range(y0, HEIGHT, dy):
            samples = [s for x in xs for s in pixel(colour_type, x, y)]
            out += b"\0" + struct.pack(">%dH" % len(samples), *samples)
    return out


def png(colour_type, interlaced, transparent):
    ihdr = struct.pack(">IIBBBBB", WIDTH, HEIGHT, 16, colour_type, 0, 0, 1 if interlaced else 0)
    out = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr)
    if transparent:
        out += chunk(b"tRNS", struct.pack(">%dH" % CHANNELS[colour_type], *pixel(colour_type, 1, 1)))
    out += chunk(b"IDAT", zlib.compress(rows(colour_type, interlaced), 9)) + chunk(b"IEND", b"")
    return out


SEEDS = {
    "seed_grey16_trns": (0, False, True),
    "seed_grey16_interlaced": (0, True, False),
    "seed_grey_alpha16": (4, False, False),
    "seed_grey_alpha16_interlaced": (4, True, False),
    "seed_rgb16_trns": (2, False, True),
    "seed_rgb16_trns_interlaced": (2, True, True),
    "seed_rgba16": (6, False, False),
    "seed_rgba16_interlaced": (6, True, False),
}

if __name__ == "__main__":
    folder = Path(sys.argv[1])
    for name, (colour_type, interlaced, transparent) in SEEDS.items():
        (folder / name).write_bytes(png(colour_type, interlaced, transparent))

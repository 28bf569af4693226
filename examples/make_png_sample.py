#!/usr/bin/env python3
"""Writes the PNG sample project: six 640 x 480 RGB frames of the bouncing
ball, a palette overlay whose magenta entry is the key colour, and
png_sample.qvl with the regions of the BMP sample, whose outputs are PNG files.

Usage: make_png_sample.py OUTDIR
Standard library only; the same run gives the same files.
"""
import os
import struct
import sys
import zlib

import make_sample

FRAMES = 6
OVERLAY_PALETTE = [make_sample.MAGENTA, (255, 200, 0), (20, 20, 90)]


def chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))


def write_png(path, width, height, pixel, palette=None):
    """pixel(x, y) -> (r, g, b); with a palette the colours are stored as its
    indices (colour type 3), otherwise as 8-bit RGB (colour type 2)."""
    index = {colour: i for i, colour in enumerate(palette or [])}
    rows = bytearray()
    for y in range(height):
        rows.append(0)  # filter type None
        for x in range(width):
            colour = pixel(x, y)
            if palette:
                rows.append(index[colour])
            else:
                rows += bytes(colour)
    header = struct.pack('>IIBBBBB', width, height, 8, 3 if palette else 2, 0, 0, 0)
    body = chunk(b'IHDR', header)
    if palette:
        body += chunk(b'PLTE', b''.join(bytes(c) for c in palette))
    body += chunk(b'IDAT', zlib.compress(bytes(rows), 9)) + chunk(b'IEND', b'')
    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n' + body)


def main(argv):
    if len(argv) != 2:
        print('usage: make_png_sample.py OUTDIR', file=sys.stderr)
        return 2
    out = os.path.abspath(argv[1])
    os.makedirs(out, exist_ok=True)
    frames = ['ball%02d.png' % (i + 1) for i in range(FRAMES)]
    # Every other frame of the BMP sample: the whole bounce in half the frames.
    step = make_sample.FRAMES // FRAMES
    for i, name in enumerate(frames):
        write_png(os.path.join(out, name), make_sample.WIDTH, make_sample.HEIGHT,
                  make_sample.frame_pixel(i * step))
    overlay = os.path.join(out, 'badge.png')
    write_png(overlay, make_sample.OVERLAY_W, make_sample.OVERLAY_H, make_sample.overlay_pixel, OVERLAY_PALETTE)
    # The outputs are named after their frames, so they are PNG files too.
    with open(os.path.join(out, 'png_sample.qvl'), 'wb') as f:
        f.write(make_sample.project_text(frames, overlay).encode('utf-8'))
    print('PNG sample project written to', out)
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))

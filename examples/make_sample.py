#!/usr/bin/env python3
"""Writes the sample project: twelve 640 x 480 frames of a ball bouncing over a
hill, an overlay with a magenta key colour, and sample.qvl with one region of
each type and filled worksheets.

Usage: make_sample.py OUTDIR
Standard library only; the same run gives the same files.
"""
import math
import os
import struct
import sys

WIDTH, HEIGHT, FRAMES = 640, 480, 12
OVERLAY_W, OVERLAY_H = 96, 64
MAGENTA = (255, 0, 255)


def write_bmp24(path, width, height, pixel):
    """pixel(x, y) -> (r, g, b); written bottom-up, BI_RGB."""
    stride = (width * 3 + 3) & ~3
    pad = bytes(stride - width * 3)
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        rows.append(bytes(row) + pad)
    image = b''.join(rows)
    header = struct.pack('<2sIHHI', b'BM', 54 + len(image), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(image), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + image)


def ball_centre(frame):
    t = frame / FRAMES
    x = 80 + int(480 * t)
    y = 330 - int(230 * abs(math.sin(math.pi * 2 * t)))
    return x, y


def frame_pixel(frame):
    bx, by = ball_centre(frame)

    def pixel(x, y):
        hill = 380 + int(30 * math.sin((x + frame * 8) / 70.0))
        if (x - bx) ** 2 + (y - by) ** 2 <= 30 ** 2:
            shade = 255 - min(120, ((x - bx + 10) ** 2 + (y - by + 10) ** 2) // 8)
            return (shade, 40, 40)
        if y >= hill:
            return (40, min(255, 120 + (y - hill) // 2), 40)
        sky = 140 + y * 100 // HEIGHT
        return (90, sky - 40, min(255, sky + 60))
    return pixel


def overlay_pixel(x, y):
    if 8 <= x < OVERLAY_W - 8 and 8 <= y < OVERLAY_H - 8:
        if (x // 8 + y // 8) % 2:
            return (255, 200, 0)
        return (20, 20, 90)
    return MAGENTA


# The ball's frames also go onto one packed, trimmed sprite sheet with its atlas.
BALL_SHEET = ['Sheet=ball_path.png', 'SheetLayout=packed', 'SheetPadding=2', 'SheetExtrude=1', 'SheetTrim=1',
              'SheetSize=free', 'SheetOnly=0', 'FrameTime=80']


def project_text(frames, overlay_path):
    regions = [
        ('Ball path', '', 0, None, (60, 60, 540, 320),
         ['%s,,clip_%s' % (n, n) for n in frames]),
        ('Scene', '', 1, None, (0, 0, 640, 480),
         ['%s,,scene_%s' % (n, n) for n in frames[::3]]),
        ('Caption', '', 2, (1, 3, 20, 128, 0xC0FFFF), (20, 400, 240, 64),
         ['%s,,' % n for n in frames[:6]]),
        ('Badge', overlay_path, 3, None, (520, 20, OVERLAY_W, OVERLAY_H),
         ['%s,,' % n for n in frames]),
    ]
    lines = ['[Main]', 'LockObj=0', 'ShowPreview=1', 'NudgeStep=5', 'Version2=1',
             'CleanEdges=0', 'Rep=', 'Job=', 'Regions=%d' % len(regions),
             '[VidIziz]', 'Clips=1', 'Backgrnds=1', '[Frames]']
    lines += ['%d=%s' % (i + 1, name) for i, name in enumerate(frames)]
    for r, (name, ovl, kind, box, (x, y, w, h), rows) in enumerate(regions, 1):
        lines += ['[Region%d]' % r, 'Name=' + name, 'OVLName=' + ovl, 'Visible=1', 'Backgrnd=%d' % kind]
        if box:
            title, line_width, title_height, title_color, box_color = box
            lines += ['Title=%d' % title, 'LineWidth=%d' % line_width, 'TitleHeight=%d' % title_height,
                      'TitleColor=%d' % title_color, 'BoxColor=%d' % box_color]
        lines.append('Position=%d,%d,%d,%d' % (x, y, w, h))
        lines += ['Clip%d=%s' % (j, row) for j, row in enumerate(rows, 1)]
        if name == 'Ball path':
            lines += BALL_SHEET
    return '\r\n'.join(lines) + '\r\n'


def main(argv):
    if len(argv) != 2:
        print('usage: make_sample.py OUTDIR', file=sys.stderr)
        return 2
    out = os.path.abspath(argv[1])
    os.makedirs(out, exist_ok=True)
    frames = ['ball%02d.bmp' % (i + 1) for i in range(FRAMES)]
    for i, name in enumerate(frames):
        write_bmp24(os.path.join(out, name), WIDTH, HEIGHT, frame_pixel(i))
    overlay = os.path.join(out, 'badge.bmp')
    write_bmp24(overlay, OVERLAY_W, OVERLAY_H, overlay_pixel)
    with open(os.path.join(out, 'sample.qvl'), 'wb') as f:
        f.write(project_text(frames, overlay).encode('utf-8'))
    print('sample project written to', out)
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))

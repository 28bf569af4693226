#!/usr/bin/env python3
"""Turn a workload of the shared generator into the same workload in PNG:
every frame and overlay converted with Pillow in its own pixel format (RGB
stays RGB, palette stays palette), and the project written again with the
frames and overlays naming the .png files and every output name ending in
.png. Every other byte of the project stays as it was, line ends included.

    png_workload.py SOURCE_FOLDER OUTPUT_FOLDER

Reads SOURCE_FOLDER/work.qvl, writes OUTPUT_FOLDER/work.qvl and the PNG
files beside it, and prints one summary line.
"""
import os
import sys

from PIL import Image

PROJECT = 'work.qvl'


def png_name(name):
    return os.path.splitext(name)[0] + '.png'


def with_png_output(name):
    return png_name(name) if name.lower().endswith('.bmp') else name


class Converter:
    """Converts each picture the project names once and gives the name the
    project must use for it."""

    def __init__(self, source, target):
        self.source, self.target = source, target
        self.converted = []

    def picture(self, name, absolute=False):
        if not name:
            return name
        source = os.path.join(self.source, name)
        target = os.path.join(self.target, png_name(os.path.basename(name)))
        if target not in self.converted:
            with Image.open(source) as img:
                img.save(target)
            self.converted.append(target)
        return target if absolute else png_name(name)


def rewrite_line(line, section, converter):
    """The line with its picture names made PNG; other lines as they are."""
    if '=' not in line or section is None:
        return line
    key, value = line.split('=', 1)
    if section == 'frames':
        return '%s=%s' % (key, converter.picture(value))
    if not section.startswith('region'):
        return line
    if key.lower() == 'ovlname':
        return '%s=%s' % (key, converter.picture(value, absolute=os.path.isabs(value)))
    if key.lower().startswith('clip') and key[4:].isdigit():
        cells = value.split(',')
        cells[0] = converter.picture(cells[0])
        if len(cells) > 1:
            cells[-1] = with_png_output(cells[-1])
        return '%s=%s' % (key, ','.join(cells))
    return line


def convert(source, target):
    os.makedirs(target, exist_ok=True)
    converter = Converter(os.path.abspath(source), os.path.abspath(target))
    with open(os.path.join(source, PROJECT), 'rb') as f:
        text = f.read().decode('utf-8')
    out, section = [], None
    for line in text.splitlines(keepends=True):
        body = line.rstrip('\r\n')
        if body.startswith('[') and ']' in body:
            section = body[1:body.index(']')].lower()
        else:
            body = rewrite_line(body, section, converter)
        out.append(body + line[len(line.rstrip('\r\n')):])
    with open(os.path.join(target, PROJECT), 'wb') as f:
        f.write(''.join(out).encode('utf-8'))
    return converter.converted


def main(argv):
    if len(argv) != 3:
        sys.exit('usage: png_workload.py SOURCE_FOLDER OUTPUT_FOLDER')
    files = convert(argv[1], argv[2])
    modes = sorted({Image.open(f).mode for f in files})
    print('pictures=%d modes=%s bytes_in=%d dir=%s'
          % (len(files), '/'.join(modes), sum(os.path.getsize(f) for f in files), os.path.abspath(argv[2])))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))

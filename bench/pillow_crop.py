#!/usr/bin/env python3
"""A Pillow read-crop-write script, the yardstick of the extraction run on PNG
frames: for each frame in list order it opens the frame once and writes the
background and clip files the worksheet names for it, with Pillow's default
PNG settings and nothing else (no pre-filter drawing, no checks). Pixels of a
clip outside the frame are 0.

    pillow_crop.py PROJECT.qvl OUTPUT_FOLDER
"""
import os
import sys

from PIL import Image

from qvl_project import frames_of, read_project, regions_of


def jobs_of(regions):
    """(frame, output, crop box or None for the whole frame), backgrounds
    before clips as the run writes them."""
    jobs = []
    for kind in (1, 0):
        for r in (r for r in regions if r['kind'] == kind):
            box = None if kind == 1 else (r['x'], r['y'], r['x'] + r['w'], r['y'] + r['h'])
            jobs += [(frame.lower(), output, box) for frame, output in r['rows'] if output]
    return jobs


def main(argv):
    if len(argv) != 3:
        sys.exit('usage: pillow_crop.py PROJECT.qvl OUTPUT_FOLDER')
    project_path, out = argv[1], argv[2]
    os.makedirs(out, exist_ok=True)
    project = read_project(project_path)
    jobs = jobs_of(regions_of(project))
    folder = os.path.dirname(os.path.abspath(project_path))
    for frame in frames_of(project):
        with Image.open(os.path.join(folder, frame)) as img:
            img.load()
            for name, output, box in jobs:
                if name != frame.lower():
                    continue
                (img if box is None else img.crop(box)).save(os.path.join(out, output))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))

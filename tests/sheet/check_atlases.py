#!/usr/bin/env python3
"""Makes sheets of a small generated project with tolvane-cli in every layout
and both atlas layouts, validates each atlas against the schema of the layout
engines load, and draws frame 3 from each sheet the way an engine does,
comparing it pixel for pixel with the individual output.

Usage: check_atlases.py TOLVANE_CLI SCHEMA"""

import json
import struct
import subprocess
import sys
import tempfile
from pathlib import Path

import jsonschema

BACKGROUND = (10, 20, 30)
WIDTH, HEIGHT = 32, 24
# The clip region on every frame.
LEFT, TOP, CLIP_W, CLIP_H = 4, 2, 24, 18


def write_bmp(path, width, height, pixel):
    stride = (width * 3 + 3) & ~3
    rows = bytearray()
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        rows += row + bytes(stride - len(row))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(rows), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    Path(path).write_bytes(header + info + rows)


def read_bmp(path):
    """The pixels of a 24-bit BMP as rows of (r, g, b), top row first."""
    data = Path(path).read_bytes()
    offset, = struct.unpack_from("<I", data, 10)
    width, height = struct.unpack_from("<ii", data, 18)
    bits, = struct.unpack_from("<H", data, 28)
    assert bits == 24, f"{path}: {bits} bits per pixel"
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        start = offset + y * stride
        rows.append([tuple(reversed(data[start + 3 * x:start + 3 * x + 3])) for x in range(width)])
    return rows if height < 0 else rows[::-1]


def make_project(folder):
    frames = []
    for n in range(1, 5):
        # A figure that moves and grows from frame to frame, on a plain ground.
        x0, y0, size = 5 + n, 3 + n // 2, 6 + n

        def pixel(x, y, x0=x0, y0=y0, size=size, n=n):
            if x0 <= x < x0 + size and y0 <= y < y0 + size:
                return ((x * 40 + n * 7) % 256, (y * 30) % 256, 200)
            return BACKGROUND

        name = f"walk{n:02}.bmp"
        write_bmp(folder / name, WIDTH, HEIGHT, pixel)
        frames.append(name)
    lines = ["[Main]", "Version2=1", "Regions=1", "[VidIziz]", "Clips=1", "Backgrnds=1", "[Frames]"]
    lines += [f"{i}={name}" for i, name in enumerate(frames, 1)]
    lines += ["[Region1]", "Name=Walker", "Visible=1", "Backgrnd=0", f"Position={LEFT},{TOP},{CLIP_W},{CLIP_H}"]
    lines += [f"Clip{i}={name},,out{i}.bmp" for i, name in enumerate(frames, 1)]
    lines += ["Sheet=walk.bmp", "SheetLayout=packed", "SheetTrim=1", "SheetPadding=1", "SheetExtrude=1",
              "FrameTime=80", f"Pivot={CLIP_W // 2},{CLIP_H}"]
    project = folder / "walk.qvl"
    project.write_text("\r\n".join(lines) + "\r\n")
    return project


def frames_in_order(atlas):
    frames = atlas["frames"]
    if isinstance(frames, list):
        return [(frame["filename"], frame) for frame in frames]
    return list(frames.items())


def draw_frame(sheet, frame):
    """What an engine draws: the frame's rectangle of the sheet at its trim
    offset, on a see-through (here: ground-coloured) canvas of the source size."""
    canvas = [[BACKGROUND] * frame["sourceSize"]["w"] for _ in range(frame["sourceSize"]["h"])]
    box, at = frame["frame"], frame["spriteSourceSize"]
    for y in range(box["h"]):
        for x in range(box["w"]):
            canvas[at["y"] + y][at["x"] + x] = sheet[box["y"] + y][box["x"] + x]
    return canvas


def check(cli, schema, folder, project, sheet_name, arguments):
    subprocess.run([cli, *arguments], check=True, stdout=subprocess.DEVNULL)
    atlas = json.loads((folder / "VidIziz" / (sheet_name + ".json")).read_text())
    jsonschema.validate(atlas, schema, cls=jsonschema.Draft202012Validator)
    frames = frames_in_order(atlas)
    assert [name for name, _ in frames] == ["out1.bmp", "out2.bmp", "out3.bmp", "out4.bmp"], frames
    assert atlas["meta"]["image"] == sheet_name
    assert atlas["meta"]["slices"][0]["keys"][0]["pivot"] == {"x": CLIP_W // 2, "y": CLIP_H}
    sheet = read_bmp(folder / "VidIziz" / sheet_name)
    assert [len(sheet[0]), len(sheet)] == [atlas["meta"]["size"]["w"], atlas["meta"]["size"]["h"]]
    name, third = frames[2]
    assert third["duration"] == 80
    drawn = draw_frame(sheet, third)
    output = read_bmp(folder / "VidIziz" / name)
    assert drawn == output, f"{sheet_name}: frame 3 drawn from the sheet differs from {name}"
    box = third["frame"]
    print(f"{sheet_name}: frame 3 drawn from {box['w']}x{box['h']} at {box['x']},{box['y']} equals {name}")
    return third


def main():
    cli, schema_path = sys.argv[1], sys.argv[2]
    schema = json.loads(Path(schema_path).read_text())
    jsonschema.Draft202012Validator.check_schema(schema)
    with tempfile.TemporaryDirectory() as temp:
        folder = Path(temp)
        project = make_project(folder)
        third = check(cli, schema, folder, project, "walk.bmp", ["extract", str(project)])
        assert third["trimmed"], third
        for layout in ("row", "column", "grid:3", "packed"):
            for form in ("hash", "array"):
                name = f"{layout.replace(':', '')}_{form}.bmp"
                check(cli, schema, folder, project, name,
                      ["sheet", str(project), "--region", "Walker", "--layout", layout, "--sheet-format", form,
                       "--output", name])
    print("atlases valid; frame 3 of every sheet matches its output")


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Extraction benchmark: tolvane-cli extract against a plain read-crop-write
program and against ImageMagick, on the same generated workload, in one run.

Prints the wall and CPU time of each (median of --repeat runs), the output each
wrote, and the peak RSS of tolvane-cli against its budget of three frames +
32 MiB. On a busy machine the CPU times compare better than the wall times.
Run from anywhere; paths default to the repository's build folder and to the
shared workload generator beside the repository (../shared/bench).
"""
import argparse
import os
import re
import shutil
import statistics
import subprocess
import sys
import time

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
MIB = 1 << 20


def parse_args():
    ap = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    ap.add_argument('--workload-script',
                    default=os.path.join(REPO, '..', 'shared', 'bench', 'make_workload.py'))
    ap.add_argument('--build', default=os.path.join(REPO, 'build'))
    ap.add_argument('--work', help='scratch folder (default: BUILD/bench-extract)')
    ap.add_argument('--repeat', type=int, default=3)
    ap.add_argument('--no-imagemagick', action='store_true')
    ap.add_argument('--convert', default='/usr/bin/convert' if os.path.exists('/usr/bin/convert') else 'convert',
                    help="ImageMagick's convert (default: Debian's, not a wrapper found first on PATH)")
    ap.add_argument('workload_args', nargs='*',
                    help='passed to the workload generator, e.g. -- --bpp 8 --frames 20')
    return ap.parse_args()


def read_project(path):
    """The project file as {section: {key: value}}, names lower-cased."""
    sections, current = {}, None
    with open(path, encoding='utf-8') as f:
        for line in f:
            line = line.rstrip('\r\n')
            if line.startswith('['):
                current = sections.setdefault(line[1:line.index(']')].lower(), {})
            elif current is not None and '=' in line:
                key, value = line.split('=', 1)
                current.setdefault(key.lower(), value)
    return sections


def regions_of(project):
    regions = []
    for r in range(1, int(project['main']['regions']) + 1):
        s = project['region%d' % r]
        x, y, w, h = (int(v) for v in s['position'].split(','))
        rows, k = [], 1
        while 'clip%d' % k in s:
            cells = s['clip%d' % k].split(',')
            rows.append((cells[0], cells[-1]))
            k += 1
        regions.append(dict(kind=int(s['backgrnd']), x=x, y=y, w=w, h=h, rows=rows, section=s))
    return regions


def make_workload(args, work):
    folder = os.path.join(work, 'workload')
    stamp = os.path.join(work, 'workload.args')
    wanted = ' '.join(args.workload_args)
    if os.path.exists(stamp) and open(stamp).read() == wanted:
        return folder, open(os.path.join(work, 'workload.summary')).read().strip()
    shutil.rmtree(folder, ignore_errors=True)
    out = subprocess.run([sys.executable, args.workload_script, '--out', folder] + args.workload_args,
                         check=True, capture_output=True, text=True).stdout.strip()
    with open(os.path.join(work, 'workload.summary'), 'w') as f:
        f.write(out)
    with open(stamp, 'w') as f:
        f.write(wanted)
    return folder, out


def hex_colour(colorref):
    c = int(colorref)
    return '#%02X%02X%02X' % (c & 255, (c >> 8) & 255, (c >> 16) & 255)


def magick_commands(convert, folder, project, regions, out):
    """One convert per frame: merge the overlay (magenta transparent), draw
    the text boxes (filled, black outline, title strip), write the background
    and crop every clip from the same decoded image."""
    commands = []
    frames = [project['frames'][k] for k in sorted(project['frames'], key=int)]
    for frame in frames:
        listed = [r for r in regions if any(i.lower() == frame.lower() for i, _ in r['rows'])]
        cmd = [convert, os.path.join(folder, frame)]
        for r in (r for r in listed if r['kind'] == 3):
            cmd += ['(', r['section']['ovlname'], '-transparent', '#FF00FF', ')',
                    '-geometry', '+%d+%d' % (r['x'], r['y']), '-composite']
        for r in (r for r in listed if r['kind'] == 2):
            s = r['section']
            a = int(s['linewidth']) // 2
            x0, y0, x1, y1 = r['x'] + a, r['y'] + a, r['x'] + r['w'] - a - 1, r['y'] + r['h'] - a - 1
            cmd += ['+antialias', '-stroke', 'black', '-strokewidth', s['linewidth'],
                    '-fill', hex_colour(s['boxcolor']), '-draw', 'rectangle %d,%d %d,%d' % (x0, y0, x1, y1)]
            if s['title'] == '1':
                y2 = r['y'] + int(s['titleheight']) - a - 1
                cmd += ['-fill', hex_colour(s['titlecolor']), '-draw', 'rectangle %d,%d %d,%d' % (x0, y0, x1, y2)]
        cmd += ['-alpha', 'off']
        for kind in (1, 0):
            for r in (r for r in regions if r['kind'] == kind):
                for name, output in r['rows']:
                    if name.lower() != frame.lower() or not output:
                        continue
                    target = 'BMP3:' + os.path.join(out, output)
                    if kind == 1:
                        cmd += ['-write', target]
                    else:
                        cmd += ['(', '+clone', '-crop', '%dx%d+%d+%d' % (r['w'], r['h'], r['x'], r['y']),
                                '+repage', '-write', target, '+delete', ')']
        commands.append(cmd + ['null:'])
    return commands


class Usage:
    """Wall and CPU seconds and peak RSS of one or more commands (GNU time -v)."""

    def __init__(self):
        self.wall = self.cpu = 0.0
        self.peak = 0

    def run(self, command):
        start = time.perf_counter()
        done = subprocess.run(['/usr/bin/time', '-v'] + command, capture_output=True, text=True)
        self.wall += time.perf_counter() - start
        if done.returncode != 0:
            sys.exit('failed: %s\n%s' % (' '.join(command), done.stderr[-2000:]))

        def field(name):
            return float(re.search(re.escape(name) + r': ([\d.]+)', done.stderr).group(1))
        self.cpu += field('User time (seconds)') + field('System time (seconds)')
        self.peak = max(self.peak, int(field('Maximum resident set size (kbytes)')) * 1024)
        return self


def folder_size(folder):
    names = os.listdir(folder)
    return len(names), sum(os.path.getsize(os.path.join(folder, n)) for n in names)


def fresh(folder, trash):
    """Moves earlier output out of the way. Deleting it now would leave the
    file system busy with recently freed inodes and slow down the next tool
    that creates files; the trash is deleted after the measurements."""
    if os.path.exists(folder):
        os.rename(folder, os.path.join(trash, '%d' % len(os.listdir(trash))))
    os.makedirs(folder)


def load_average():
    with open('/proc/loadavg') as f:
        return f.read().split()[:3]


def main():
    args = parse_args()
    work = os.path.abspath(args.work or os.path.join(args.build, 'bench-extract'))
    os.makedirs(work, exist_ok=True)
    cli = os.path.join(args.build, 'src', 'cli', 'tolvane-cli')
    plain = os.path.join(args.build, 'bench', 'plain_crop')
    for tool in (cli, plain):
        if not os.access(tool, os.X_OK):
            sys.exit('missing %s: build it first (make bench does)' % tool)

    if not os.path.exists(args.workload_script):
        sys.exit('missing the workload generator %s: give --workload-script' % args.workload_script)
    folder, summary = make_workload(args, work)
    qvl = os.path.join(folder, 'work.qvl')
    project = read_project(qvl)
    regions = regions_of(project)
    frame_bytes = os.path.getsize(os.path.join(folder, project['frames']['1']))
    print('workload:', summary)

    ours_out = os.path.join(folder, 'VidIziz')
    plain_out = os.path.join(work, 'plain_out')
    magick_out = os.path.join(work, 'magick_out')
    load_before = ' '.join(load_average())
    trash = os.path.join(work, 'trash')
    shutil.rmtree(trash, ignore_errors=True)
    os.makedirs(trash)
    tools = [('tolvane-cli extract', ours_out, lambda: [[cli, 'extract', '--color=never', qvl]]),
             ('plain read-crop-write', plain_out, lambda: [[plain, qvl, plain_out]])]
    if not args.no_imagemagick:
        tools.append(('ImageMagick convert', magick_out,
                      lambda: magick_commands(args.convert, folder, project, regions, magick_out)))
    runs = {name: [] for name, _, _ in tools}
    for repetition in range(args.repeat):
        # Each tool takes its turn first: the one after a tool that has just
        # written 400 MB may wait for the disk.
        turn = repetition % len(tools)
        for name, out, commands in tools[turn:] + tools[:turn]:
            fresh(out, trash)
            usage = Usage()
            for command in commands():
                usage.run(command)
            runs[name].append(usage)
    shutil.rmtree(trash, ignore_errors=True)

    def median(name, what):
        return statistics.median(getattr(u, what) for u in runs[name])

    plain_name = 'plain read-crop-write'
    print('%-24s %9s %8s %9s %8s %10s %14s' % ('tool (median of %d)' % args.repeat, 'wall s', 'x plain',
                                              'CPU s', 'x plain', 'peak MiB', 'files / MiB'))
    for name, out, _ in tools:
        files, size = folder_size(out)
        print('%-24s %9.3f %8.2f %9.3f %8.2f %10.1f %7d / %.1f'
              % (name, median(name, 'wall'), median(name, 'wall') / median(plain_name, 'wall'),
                 median(name, 'cpu'), median(name, 'cpu') / median(plain_name, 'cpu'),
                 max(u.peak for u in runs[name]) / MIB, files, size / MIB))
    ours = 'tolvane-cli extract'
    budget = 3 * frame_bytes + 32 * MIB
    peak = max(u.peak for u in runs[ours])
    print('tolvane-cli peak RSS %.1f MiB, budget 3 frames + 32 MiB = %.1f MiB: %s'
          % (peak / MIB, budget / MIB, 'within' if peak <= budget else 'OVER'))
    for what in ('wall', 'cpu'):
        ratio = median(ours, what) / median(plain_name, what)
        print('tolvane-cli / plain, %s time: %.2f (at most 1.5): %s'
              % (what, ratio, 'within' if ratio <= 1.5 else 'OVER'))
    print('load average before: %s, after: %s' % (load_before, ' '.join(load_average())))
    return 0


if __name__ == '__main__':
    sys.exit(main())

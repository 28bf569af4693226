#!/usr/bin/env python3
"""Extraction benchmark: tolvane-cli extract against a plain read-crop-write
program (and, with --imagemagick, ImageMagick) on two generated workloads, the
default 24-bit frames and the same with 8-bit palette frames.

Both programs read and write on a tmpfs (the workload is copied to /dev/shm),
each timed run writes into an emptied output folder, and the runs alternate
(plain, ours, plain, ours, ...) so that a change of load hits both alike.
Prints the median wall and CPU time of each over --repeat runs, the ratio to
the plain program, the output each wrote, and the peak RSS of tolvane-cli
against its budget of three frames + 32 MiB. On a busy machine the CPU times
compare better than the wall times. Run from anywhere; paths default to the
repository's build folder and to the shared workload generator beside the
repository (../shared/bench).
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
MIB = 1 << 20


def parse_args():
    ap = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    ap.add_argument('--workload-script',
                    default=os.path.join(REPO, '..', 'shared', 'bench', 'make_workload.py'))
    ap.add_argument('--build', default=os.path.join(REPO, 'build'))
    ap.add_argument('--work', help='folder of the generated workloads (default: BUILD/bench-extract)')
    ap.add_argument('--tmpfs', default='/dev/shm',
                    help='where the programs read and write (default: /dev/shm)')
    ap.add_argument('--repeat', type=int, default=5)
    ap.add_argument('--limit', type=float, default=1.0,
                    help='the highest ratio to the plain program that passes (default: 1.0)')
    ap.add_argument('--imagemagick', action='store_true', help='time ImageMagick too (slow)')
    ap.add_argument('--convert', default='/usr/bin/convert' if os.path.exists('/usr/bin/convert') else 'convert',
                    help="ImageMagick's convert (default: Debian's, not a wrapper found first on PATH)")
    ap.add_argument('workload_args', nargs='*',
                    help='passed to the workload generator for both workloads, e.g. -- --frames 20')
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


def make_workload(script, work, name, workload_args):
    """The generated workload in WORK/NAME, made again only when its
    arguments changed."""
    folder = os.path.join(work, name)
    stamp = folder + '.args'
    summary = folder + '.summary'
    wanted = ' '.join(workload_args)
    if os.path.exists(stamp) and open(stamp).read() == wanted:
        return folder, open(summary).read().strip()
    shutil.rmtree(folder, ignore_errors=True)
    out = subprocess.run([sys.executable, script, '--out', folder] + workload_args,
                         check=True, capture_output=True, text=True).stdout.strip()
    with open(summary, 'w') as f:
        f.write(out)
    with open(stamp, 'w') as f:
        f.write(wanted)
    return folder, out


def copy_to_tmpfs(folder, tmpfs, name):
    """The workload copied onto the tmpfs, its overlay path rewritten to the
    copy, so that neither program waits for a disk."""
    target = os.path.join(tmpfs, name)
    shutil.rmtree(target, ignore_errors=True)
    shutil.copytree(folder, target)
    qvl = os.path.join(target, 'work.qvl')
    with open(qvl, 'rb') as f:
        text = f.read()
    with open(qvl, 'wb') as f:
        f.write(text.replace(os.path.abspath(folder).encode(), target.encode()))
    return target


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
    """Wall and CPU seconds and peak RSS of one or more commands: CPU from
    the kernel's accounting of the child (microseconds, not GNU time's
    hundredths, coarse beside an 8-bit run), peak RSS from GNU time, whose
    small process is what the command is started from."""

    def __init__(self):
        self.wall = self.cpu = 0.0
        self.peak = 0

    def run(self, command):
        start = time.perf_counter()
        child = subprocess.Popen(['/usr/bin/time', '-f', '%M'] + command,
                                 stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        err = child.stderr.read().decode(errors='replace')
        _pid, status, usage = os.wait4(child.pid, 0)
        self.wall += time.perf_counter() - start
        child.returncode = os.waitstatus_to_exitcode(status)
        if child.returncode != 0:
            sys.exit('failed: %s\n%s' % (' '.join(command), err[-2000:]))
        self.cpu += usage.ru_utime + usage.ru_stime
        self.peak = max(self.peak, int(err.split()[-1]) * 1024)
        return self


def folder_size(folder):
    total = files = 0
    for root, _dirs, names in os.walk(folder):
        files += len(names)
        total += sum(os.path.getsize(os.path.join(root, n)) for n in names)
    return files, total


def emptied(folder):
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)


def load_average():
    with open('/proc/loadavg') as f:
        return ' '.join(f.read().split()[:3])


class Workload:
    """One workload on the tmpfs and the commands of each program on it."""

    def __init__(self, args, cli, plain, label, folder, summary, scratch):
        self.label = label
        self.summary = summary
        qvl = os.path.join(folder, 'work.qvl')
        project = read_project(qvl)
        regions = regions_of(project)
        self.frame_bytes = os.path.getsize(os.path.join(folder, project['frames']['1']))
        plain_out = os.path.join(scratch, 'plain_out')
        magick_out = os.path.join(scratch, 'magick_out')
        self.tools = [('plain read-crop-write', plain_out, [[plain, qvl, plain_out]]),
                      ('tolvane-cli extract', os.path.join(folder, 'VidIziz'),
                       [[cli, 'extract', '--color=never', qvl]])]
        if args.imagemagick:
            self.tools.append(('ImageMagick convert', magick_out,
                               magick_commands(args.convert, folder, project, regions, magick_out)))
        self.runs = {name: [] for name, _, _ in self.tools}

    def run_all_once(self):
        for name, out, commands in self.tools:
            emptied(out)
            usage = Usage()
            for command in commands:
                usage.run(command)
            self.runs[name].append(usage)

    def median(self, name, what):
        return statistics.median(getattr(u, what) for u in self.runs[name])

    def report(self, repeat, limit):
        plain, ours = self.tools[0][0], self.tools[1][0]
        print('\n%s workload: %s' % (self.label, self.summary))
        print('%-24s %9s %8s %9s %8s %10s %14s' % ('tool (median of %d)' % repeat, 'wall s', 'x plain',
                                                  'CPU s', 'x plain', 'peak MiB', 'files / MiB'))
        for name, out, _ in self.tools:
            files, size = folder_size(out)
            print('%-24s %9.3f %8.3f %9.3f %8.3f %10.1f %7d / %.1f'
                  % (name, self.median(name, 'wall'), self.median(name, 'wall') / self.median(plain, 'wall'),
                     self.median(name, 'cpu'), self.median(name, 'cpu') / self.median(plain, 'cpu'),
                     max(u.peak for u in self.runs[name]) / MIB, files, size / MIB))
        budget = 3 * self.frame_bytes + 32 * MIB
        peak = max(u.peak for u in self.runs[ours])
        print('tolvane-cli peak RSS %.1f MiB, budget 3 frames + 32 MiB = %.1f MiB: %s'
              % (peak / MIB, budget / MIB, 'within' if peak <= budget else 'OVER'))
        for what in ('wall', 'cpu'):
            ratio = self.median(ours, what) / self.median(plain, what)
            print('tolvane-cli / plain, %s time: %.3f (at most %.2f): %s'
                  % (what, ratio, limit, 'within' if ratio <= limit else 'OVER'))


def main():
    args = parse_args()
    work = os.path.abspath(args.work or os.path.join(args.build, 'bench-extract'))
    os.makedirs(work, exist_ok=True)
    cli = os.path.abspath(os.path.join(args.build, 'src', 'cli', 'tolvane-cli'))
    plain = os.path.abspath(os.path.join(args.build, 'bench', 'plain_crop'))
    for tool in (cli, plain):
        if not os.access(tool, os.X_OK):
            sys.exit('missing %s: build it first (make bench does)' % tool)
    if not os.path.exists(args.workload_script):
        sys.exit('missing the workload generator %s: give --workload-script' % args.workload_script)
    if not os.path.isdir(args.tmpfs):
        sys.exit('missing the tmpfs folder %s: give --tmpfs' % args.tmpfs)

    scratch = tempfile.mkdtemp(prefix='tolvane-bench-', dir=args.tmpfs)
    try:
        workloads = []
        for label, extra in (('24-bit', []), ('8-bit', ['--bpp', '8'])):
            name = 'workload-%s' % label
            folder, summary = make_workload(args.workload_script, work, name, args.workload_args + extra)
            copy = copy_to_tmpfs(folder, scratch, name)
            workloads.append(Workload(args, cli, plain, label, copy, summary,
                                      os.path.join(scratch, 'out-' + label)))
        load_before = load_average()
        for _ in range(args.repeat):
            for workload in workloads:
                workload.run_all_once()
        for workload in workloads:
            workload.report(args.repeat, args.limit)
        print('\nload average before: %s, after: %s (%d cores)' % (load_before, load_average(), os.cpu_count()))
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    return 0


if __name__ == '__main__':
    sys.exit(main())

#!/usr/bin/env python3
"""Extraction benchmark: tolvane-cli extract against a plain read-crop-write
program (and, with --imagemagick, ImageMagick) on two generated workloads, the
default 24-bit frames and the same with 8-bit palette frames, then against a
Pillow script on the 24-bit workload turned into PNG frames and PNG outputs.

Both programs read and write on a tmpfs (the workload is copied to /dev/shm),
each timed run writes into an emptied output folder, and the runs alternate
(plain, ours, plain, ours, ...) so that a change of load hits both alike.
Prints the median wall and CPU time of each over --repeat runs, the ratio to
the plain program, the output each wrote, and the peak RSS of tolvane-cli
against its budget of three frames + 32 MiB. On a busy machine the CPU times
compare better than the wall times. Before and after the runs it times the
plain program pinned to each core: where one core runs slower than another
the CPU ratios are not fair, and it says so. The plain program also runs with
its frames dealt out to as many threads as tolvane-cli has workers: what
using every core costs a program that does nothing else. The PNG comparison also checks a few
clips pixel by pixel with ImageMagick's compare, when it is installed; a run
of tolvane-cli that fails there is reported, not fatal, so that the BMP
figures stand while tolvane-cli cannot read PNG frames. Run from anywhere; paths default to the
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

from qvl_project import frames_of, read_project, regions_of

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
MIB = 1 << 20
BENCH = os.path.dirname(os.path.abspath(__file__))


def parse_args():
    ap = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    ap.add_argument('--workload-script',
                    default=os.path.join(REPO, '..', 'shared', 'bench', 'make_workload.py'))
    ap.add_argument('--build', default=os.path.join(REPO, 'build'))
    ap.add_argument('--work', help='folder of the generated workloads (default: BUILD/bench-extract)')
    ap.add_argument('--tmpfs', default='/dev/shm',
                    help='where the programs read and write (default: /dev/shm)')
    ap.add_argument('--repeat', type=int, default=5)
    ap.add_argument('--limit', type=float, default=0.8,
                    help='the highest ratio of wall time to the plain program that passes (default: 0.8)')
    ap.add_argument('--cpu-limit', type=float, default=1.1,
                    help='the highest ratio of CPU time to the plain program that passes (default: 1.1)')
    ap.add_argument('--png-limit', type=float, default=0.5,
                    help='the highest ratio of wall time to the Pillow script on PNG frames that passes (default: 0.5)')
    ap.add_argument('--python', default='/usr/bin/python3' if os.path.exists('/usr/bin/python3') else sys.executable,
                    help="the Python that has Pillow (default: Debian's, where python3-pil installs it)")
    ap.add_argument('--imagemagick', action='store_true', help='time ImageMagick too (slow)')
    ap.add_argument('--convert', default='/usr/bin/convert' if os.path.exists('/usr/bin/convert') else 'convert',
                    help="ImageMagick's convert (default: Debian's, not a wrapper found first on PATH)")
    ap.add_argument('workload_args', nargs='*',
                    help='passed to the workload generator for both workloads, e.g. -- --frames 20')
    return ap.parse_args()


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


def make_png_workload(python, source, work, name):
    """SOURCE turned into PNG in WORK/NAME, made again when SOURCE is newer."""
    folder = os.path.join(work, name)
    summary = folder + '.summary'
    made, wanted = os.path.join(folder, 'work.qvl'), os.path.join(source, 'work.qvl')
    if os.path.exists(summary) and os.path.exists(made) and os.path.getmtime(made) >= os.path.getmtime(wanted):
        return folder, open(summary).read().strip()
    shutil.rmtree(folder, ignore_errors=True)
    out = subprocess.run([python, os.path.join(BENCH, 'png_workload.py'), source, folder],
                         check=True, capture_output=True, text=True).stdout.strip()
    with open(summary, 'w') as f:
        f.write(out)
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
    for frame in frames_of(project):
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


class RunFailed(Exception):
    pass


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
            raise RunFailed('failed: %s\n%s' % (' '.join(command), err[-2000:].rstrip()))
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


OURS = 'tolvane-cli extract'


def outputs_of(regions):
    """The names the worksheet rows of clips and backgrounds write."""
    return sorted({output for r in regions if r['kind'] <= 1 for _frame, output in r['rows'] if output})


class Workload:
    """One workload on the tmpfs and the commands of each program on it, the
    first of them the yardstick. A failure of a program in TOLERATED is kept
    for the report, with what DIAGNOSIS says about it, and that program is
    not run again; any other ends the benchmark."""

    def __init__(self, label, summary, qvl, frame_bytes, tools, limits, tolerated=(), diagnosis=None):
        self.label = label
        self.summary = summary
        self.project = read_project(qvl)
        self.regions = regions_of(self.project)
        self.outputs = outputs_of(self.regions)
        self.frame_bytes = frame_bytes
        self.tools = tools
        self.limits = limits
        self.tolerated = tolerated
        self.diagnosis = diagnosis
        self.failed = {}
        self.runs = {name: [] for name, _, _ in self.tools}

    def out_of(self, name):
        return next(out for tool, out, _ in self.tools if tool == name)

    def run_all_once(self):
        for name, out, commands in self.tools:
            if name in self.failed:
                continue
            emptied(out)
            usage = Usage()
            try:
                for command in commands:
                    usage.run(command)
                missing = [n for n in self.outputs if not os.path.exists(os.path.join(out, n))]
                if missing:
                    raise RunFailed('%s wrote %d of the %d files (no %s)'
                                    % (name, len(self.outputs) - len(missing), len(self.outputs), missing[0]))
            except RunFailed as failure:
                if name not in self.tolerated:
                    sys.exit(str(failure))
                self.failed[name] = str(failure) + self.diagnose()
                continue
            self.runs[name].append(usage)

    def diagnose(self):
        """The distinct lines DIAGNOSIS prints, the first few."""
        if not self.diagnosis:
            return ''
        said = subprocess.run(self.diagnosis, capture_output=True, text=True)
        lines = list(dict.fromkeys(l.strip() for l in (said.stderr + said.stdout).splitlines() if l.strip()))
        return '\n%s says:\n  %s' % (' '.join(os.path.basename(c) for c in self.diagnosis), '\n  '.join(lines[:6]))

    def median(self, name, what):
        return statistics.median(getattr(u, what) for u in self.runs[name])

    def report(self, repeat):
        yardstick = self.tools[0][0]
        short = yardstick.split()[0]
        print('\n%s workload: %s' % (self.label, self.summary))
        print('%-24s %9s %8s %9s %8s %10s %14s' % ('tool (median of %d)' % repeat, 'wall s', 'x ' + short,
                                                  'CPU s', 'x ' + short, 'peak MiB', 'files / MiB'))
        for name, out, _ in self.tools:
            if name in self.failed:
                print('%-24s did not run through: %s' % (name, self.failed[name].replace('\n', '\n    ')))
                continue
            files, size = folder_size(out)
            print('%-24s %9.3f %8.3f %9.3f %8.3f %10.1f %7d / %.1f'
                  % (name, self.median(name, 'wall'), self.median(name, 'wall') / self.median(yardstick, 'wall'),
                     self.median(name, 'cpu'), self.median(name, 'cpu') / self.median(yardstick, 'cpu'),
                     max(u.peak for u in self.runs[name]) / MIB, files, size / MIB))
        if OURS in self.failed:
            print('no tolvane-cli figures for the %s workload' % self.label)
            return
        # A worker holds one output, at most a frame.
        workers = max(2, os.cpu_count() or 1)
        budget = (3 + workers) * self.frame_bytes + 32 * MIB
        peak = max(u.peak for u in self.runs[OURS])
        print('tolvane-cli peak RSS %.1f MiB, budget 3 frames + 32 MiB + %d workers x 1 frame = %.1f MiB: %s'
              % (peak / MIB, workers, budget / MIB, 'within' if peak <= budget else 'OVER'))
        for what, limit in self.limits.items():
            ratio = self.median(OURS, what) / self.median(yardstick, what)
            print('tolvane-cli / %s, %s time: %.3f (at most %.2f): %s'
                  % (short, what, ratio, limit, 'within' if ratio <= limit else 'OVER'))


def core_speeds(workload, rounds=3):
    """The median time of the yardstick pinned to each core in turn. On a
    virtual machine one core may run slower than another for minutes; the
    yardstick then runs on whichever is free, while a program that uses every
    core pays for the slow one in CPU time, so its CPU ratio tells nothing."""
    name, out, commands = workload.tools[0]
    times = {}
    for core in sorted(os.sched_getaffinity(0)):
        runs = []
        for _ in range(rounds):
            emptied(out)
            start = time.perf_counter()
            for command in commands:
                subprocess.run(command, stdout=subprocess.DEVNULL, check=True,
                               preexec_fn=lambda core=core: os.sched_setaffinity(0, {core}))
            runs.append(time.perf_counter() - start)
        times[core] = statistics.median(runs)
    return times


def describe_cores(when, times):
    if len(times) < 2:
        return
    spread = max(times.values()) / min(times.values())
    print('cores %s: the plain program pinned to each takes %s (slowest / fastest %.2f: %s)'
          % (when, ', '.join('%.3f s' % t for t in times.values()), spread,
             'alike' if spread <= 1.1 else 'UNEQUAL, the CPU ratios are not fair'))


def bmp_workload(args, cli, plain, label, folder, summary, scratch):
    qvl = os.path.join(folder, 'work.qvl')
    project = read_project(qvl)
    plain_out = os.path.join(scratch, 'plain_out')
    threads_out = os.path.join(scratch, 'plain_threads_out')
    magick_out = os.path.join(scratch, 'magick_out')
    threads = max(2, os.cpu_count() or 1)
    tools = [('plain read-crop-write', plain_out, [[plain, qvl, plain_out]]),
             (OURS, os.path.join(folder, 'VidIziz'), [[cli, 'extract', '--color=never', qvl]]),
             ('plain on %d threads' % threads, threads_out, [[plain, qvl, threads_out, str(threads)]])]
    if args.imagemagick:
        tools.append(('ImageMagick convert', magick_out,
                      magick_commands(args.convert, folder, project, regions_of(project), magick_out)))
    frame_bytes = os.path.getsize(os.path.join(folder, frames_of(project)[0]))
    return Workload(label, summary, qvl, frame_bytes, tools, {'wall': args.limit, 'cpu': args.cpu_limit})


def png_workload(args, cli, label, folder, summary, scratch, frame_bytes):
    """The PNG frames against the Pillow script; FRAME_BYTES is what one
    frame takes decoded, for the memory budget."""
    qvl = os.path.join(folder, 'work.qvl')
    pillow_out = os.path.join(scratch, 'pillow_out')
    tools = [('Pillow script', pillow_out, [[args.python, os.path.join(BENCH, 'pillow_crop.py'), qvl, pillow_out]]),
             (OURS, os.path.join(folder, 'VidIziz'), [[cli, 'extract', '--color=never', qvl]])]
    return Workload(label, summary, qvl, frame_bytes, tools, {'wall': args.png_limit}, tolerated=(OURS,),
                    diagnosis=[cli, 'check', '--color=never', qvl])


def overlaps(a, b):
    return a['x'] < b['x'] + b['w'] and b['x'] < a['x'] + a['w'] and \
        a['y'] < b['y'] + b['h'] and b['y'] < a['y'] + a['h']


def untouched_clips(workload, count):
    """Up to COUNT clip outputs of the first frame that no text box or
    overlay draws into, so that the run must write the frame's own pixels."""
    frame = frames_of(workload.project)[0].lower()

    def on_frame(r):
        return [output for name, output in r['rows'] if name.lower() == frame]

    drawn = [r for r in workload.regions if r['kind'] >= 2 and on_frame(r)]
    clean = [output for r in workload.regions if r['kind'] == 0 and not any(overlaps(r, d) for d in drawn)
             for output in on_frame(r) if output]
    return clean[:count]


def pixel_check(workload, count=3):
    """ImageMagick's count of differing pixels between our clips and the
    yardstick's, and what each file is."""
    if OURS in workload.failed:
        return
    if not (shutil.which('compare') and shutil.which('identify')):
        print('no pixel check: ImageMagick (compare, identify) is not installed')
        return
    theirs, ours = workload.out_of(workload.tools[0][0]), workload.out_of(OURS)
    print('pixel check of %s against %s (compare -metric AE, expect 0):' % (OURS, workload.tools[0][0]))
    for name in untouched_clips(workload, count):
        pair = [os.path.join(ours, name), os.path.join(theirs, name)]
        ae = subprocess.run(['compare', '-metric', 'AE'] + pair + ['null:'], capture_output=True, text=True)
        kinds = subprocess.run(['identify', '-format', '%m %wx%h %[type] %z-bit, '] + pair,
                               capture_output=True, text=True)
        print('  %-14s %s pixels differ; ours, theirs: %s'
              % (name, ae.stderr.strip() or ae.stdout.strip(), (kinds.stdout + kinds.stderr).strip(' ,\n')))


# Run by the Python that has Pillow: the sizes of every output of both tools,
# of those whose decoded pixels are the same in both, and of every one of our
# outputs written again by Pillow at its default, the same pictures through
# the other encoder.
SIZE_SCRIPT = """
import io, os, sys
from PIL import Image
ours, theirs = sys.argv[1], sys.argv[2]
totals = [0, 0, 0, 0, 0, 0]
for name in sorted(os.listdir(theirs)):
    a, b = os.path.join(ours, name), os.path.join(theirs, name)
    if not os.path.isfile(a):
        continue
    sa, sb = os.path.getsize(a), os.path.getsize(b)
    totals[0] += sa
    totals[1] += sb
    with Image.open(a) as x, Image.open(b) as y:
        if x.mode == y.mode and x.size == y.size and x.tobytes() == y.tobytes():
            totals[2] += 1
            totals[3] += sa
            totals[4] += sb
        again = io.BytesIO()
        x.save(again, 'PNG')
        totals[5] += again.tell()
print(*totals)
"""


def size_check(workload, python, limit=1.0):
    """The bytes our PNG outputs take against the yardstick's, over every
    file and over the files whose pixels equal the yardstick's: the script
    draws no text box or overlay, so only those are the same pictures."""
    if OURS in workload.failed:
        return
    theirs, ours = workload.out_of(workload.tools[0][0]), workload.out_of(OURS)
    out = subprocess.run([python, '-c', SIZE_SCRIPT, ours, theirs], capture_output=True, text=True)
    if out.returncode != 0:
        print('no size check: %s' % out.stderr.strip())
        return
    ours_all, theirs_all, same, ours_same, theirs_same, rewritten = (int(v) for v in out.stdout.split())
    print('PNG bytes of every file: ours %d, %s %d: %.3f'
          % (ours_all, workload.tools[0][0], theirs_all, ours_all / theirs_all))

    def verdict(ratio):
        return '%.3f (at most %.2f): %s' % (ratio, limit, 'within' if ratio <= limit else 'OVER')

    ratio = ours_same / theirs_same if theirs_same else float('nan')
    print('PNG bytes of the %d files with the same pixels: ours %d, %s %d: %s'
          % (same, ours_same, workload.tools[0][0], theirs_same, verdict(ratio)))
    print('PNG bytes of every file, our pixels written again by Pillow: ours %d, Pillow %d: %s'
          % (ours_all, rewritten, verdict(ours_all / rewritten)))


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
    if subprocess.run([args.python, '-c', 'import PIL'], capture_output=True).returncode != 0:
        sys.exit('%s has no Pillow: install python3-pil (make bench-deps) or give --python' % args.python)

    scratch = tempfile.mkdtemp(prefix='tolvane-bench-', dir=args.tmpfs)
    try:
        workloads, sources = [], {}
        for label, extra in (('24-bit', []), ('8-bit', ['--bpp', '8'])):
            name = 'workload-%s' % label
            sources[label], summary = make_workload(args.workload_script, work, name, args.workload_args + extra)
            copy = copy_to_tmpfs(sources[label], scratch, name)
            workloads.append(bmp_workload(args, cli, plain, label, copy, summary,
                                          os.path.join(scratch, 'out-' + label)))
        name = 'workload-png-24-bit'
        folder, summary = make_png_workload(args.python, sources['24-bit'], work, name)
        png = png_workload(args, cli, 'PNG 24-bit', copy_to_tmpfs(folder, scratch, name), summary,
                           os.path.join(scratch, 'out-png'), workloads[0].frame_bytes)
        workloads.append(png)
        load_before = load_average()
        cores_before = core_speeds(workloads[1])
        for _ in range(args.repeat):
            for workload in workloads:
                workload.run_all_once()
        cores_after = core_speeds(workloads[1])
        for workload in workloads:
            workload.report(args.repeat)
        pixel_check(png)
        size_check(png, args.python)
        print('\nload average before: %s, after: %s (%d cores)' % (load_before, load_average(), os.cpu_count()))
        describe_cores('before', cores_before)
        describe_cores('after', cores_after)
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    return 0


if __name__ == '__main__':
    sys.exit(main())

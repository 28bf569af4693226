"""What the benchmark scripts read of a project file: its sections and its
regions, the way the shared workload generator writes them."""


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
    """Each region with its kind (Backgrnd), rectangle and worksheet rows
    as (input frame, output name)."""
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


def frames_of(project):
    """The frame names in list order."""
    return [project['frames'][k] for k in sorted(project['frames'], key=int)]

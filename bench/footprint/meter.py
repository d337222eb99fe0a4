#!/usr/bin/python3
"""The footprint meter of run.sh.

meter.py sample SECONDS LABEL=PID[=FILE] ...
    Over SECONDS, per labelled process tree: CPU time (every thread's
    nanoseconds on CPU from /proc/PID/task/TID/schedstat, followed once a second
    so that threads starting or ending in the window count too; and, as a
    check, utime+stime of /proc/PID/stat in clock ticks), how often its threads
    were scheduled in (wake-ups), and at the end RSS, PSS and private memory
    (Private_Clean + Private_Dirty) from /proc/PID/smaps_rollup. FILE, if given,
    is watched for rewrites (a new inode or modification time). Prints one JSON
    object per label.

meter.py report DIR [LABEL=LIMIT ...]
    Reads DIR/round-*.json (sample's output per round) and DIR/startup.txt
    ("app|anchor|conky FIRST_MS ALL_MS" per run), prints medians and the ratios;
    LABEL=LIMIT sets the goal of LABEL's CPU against conky's; without any, the
    goals of the X11 run (app-3=0.8, app-4=1.0, and app-3's memory).
"""
import glob
import json
import os
import statistics
import sys
import time

HZ = os.sysconf('SC_CLK_TCK')


def read(path):
    try:
        with open(path) as f:
            return f.read()
    except OSError:
        return ''


def children_map():
    kids = {}
    for d in os.listdir('/proc'):
        if d.isdigit():
            s = read(f'/proc/{d}/stat')
            if s:
                kids.setdefault(int(s[s.rindex(')') + 2:].split()[1]), []).append(int(d))
    return kids


def tree(root, kids):
    out, todo = [], [root]
    while todo:
        p = todo.pop()
        out.append(p)
        todo += kids.get(p, [])
    return out


def ticks(pid, own=True):
    """utime + stime + cutime + cstime, or only the reaped children's (own=False)"""
    s = read(f'/proc/{pid}/stat')
    if not s:
        return 0
    f = s[s.rindex(')') + 2:].split()
    return sum(int(x) for x in f[11 if own else 13:15])


def threads(pid):
    """{tid: (ns on cpu, times scheduled in)}"""
    out = {}
    try:
        tids = os.listdir(f'/proc/{pid}/task')
    except OSError:
        return out
    for t in tids:
        s = read(f'/proc/{pid}/task/{t}/schedstat').split()
        if len(s) == 3:
            out[int(t)] = (int(s[0]), int(s[2]))
    return out


def memory(pids):
    m = dict(rss=0, pss=0, private=0, dirty=0)
    for p in pids:
        for line in read(f'/proc/{p}/smaps_rollup').splitlines():
            k, _, v = line.partition(':')
            if k == 'Rss':
                m['rss'] += int(v.split()[0])
            elif k == 'Pss':
                m['pss'] += int(v.split()[0])
            elif k in ('Private_Clean', 'Private_Dirty'):
                m['private'] += int(v.split()[0])
                if k == 'Private_Dirty':
                    m['dirty'] += int(v.split()[0])
    return m


def file_id(path):
    try:
        st = os.stat(path)
        return (st.st_ino, st.st_mtime_ns)
    except OSError:
        return None


def sample(seconds, targets):
    tracks = []
    for target in targets:
        label, pid, *rest = target.split('=')
        tracks.append(dict(label=label, root=int(pid), file=rest[0] if rest else None,
                           start={}, last={}, pids=[], rewrites=0))
    kids = children_map()
    for t in tracks:
        t['pids'] = tree(t['root'], kids)
        t['ticks0'] = sum(ticks(p) for p in t['pids'])
        t['reaped0'] = sum(ticks(p, own=False) for p in t['pids'])
        t['owner'] = {}
        for p in t['pids']:
            t['start'].update(threads(p))
        t['last'] = dict(t['start'])
        t['file_id'] = file_id(t['file']) if t['file'] else None
    t0 = time.monotonic()
    step = 0
    while True:
        left = seconds - (time.monotonic() - t0)
        if left <= 0:
            break
        time.sleep(min(1.0, left))
        step += 1
        if step % 5 == 0:  # processes rarely come and go: rebuild the trees now and then
            kids = children_map()
            for t in tracks:
                t['pids'] = tree(t['root'], kids)
        for t in tracks:
            for p in t['pids']:
                for tid, v in threads(p).items():
                    old = t['last'].get(tid)
                    if old is not None and v[0] < old[0]:  # the id was reused by a new thread
                        t['start'][tid] = (0, 0)
                    t['last'][tid] = v
                    t['owner'][tid] = p
            if t['file']:
                fid = file_id(t['file'])
                if fid != t['file_id'] and fid is not None:
                    t['rewrites'] += 1
                t['file_id'] = fid
    elapsed = time.monotonic() - t0
    kids = children_map()
    for t in tracks:
        pids = tree(t['root'], kids)
        alive = os.path.exists(f'/proc/{t["root"]}')
        ns = sum(v[0] - t['start'].get(tid, (0, 0))[0] for tid, v in t['last'].items())
        # Children that ended in the window, from their parents' cutime + cstime,
        # less what was counted of them while they ran.
        seen_gone = sum(v[0] - t['start'].get(tid, (0, 0))[0] for tid, v in t['last'].items()
                        if t['owner'].get(tid) not in pids and tid in t['owner'])
        reaped = (sum(ticks(p, own=False) for p in pids) - t['reaped0']) / HZ * 1e9
        ns += max(0.0, reaped - seen_gone)
        runs = sum(v[1] - t['start'].get(tid, (0, 0))[1] for tid, v in t['last'].items())
        tick_s = (sum(ticks(p) for p in pids) - t['ticks0']) / HZ
        print(json.dumps(dict(label=t['label'], alive=alive, window=round(elapsed, 2),
                              cpu_pct=100 * ns / 1e9 / elapsed, tick_pct=100 * tick_s / elapsed,
                              wakeups=runs / elapsed, threads=len(threads(t['root'])),
                              rewrites=t['rewrites'] if t['file'] else None, **memory(pids))))


def median(xs):
    return statistics.median(xs) if xs else float('nan')


def report(directory, cpu_goals, memory_goals):
    rounds = []
    for path in sorted(glob.glob(os.path.join(directory, 'round-*.json'))):
        with open(path) as f:
            rounds.append({r['label']: r for r in (json.loads(line) for line in f if line.strip())})
    labels = list(rounds[0]) if rounds else []
    def col(label, key):
        return [r[label][key] for r in rounds if label in r and r[label][key] is not None]
    mb = 1024
    print(f'Footprint, {len(rounds)} round(s) of {median(col(labels[0], "window")):.0f} s, side by side'
          if labels else 'no rounds measured')
    print(f'{"":14} {"CPU %":>7} {"(ticks)":>8} {"wakeups/s":>9} {"RSS MB":>7} {"PSS MB":>7} '
          f'{"private MB":>10} {"(dirty)":>7} {"rewrites":>8}')
    for label in labels:
        dead = [r[label]['alive'] for r in rounds if label in r].count(False)
        rw = col(label, 'rewrites')
        print(f'{label:14} {median(col(label, "cpu_pct")):7.3f} {median(col(label, "tick_pct")):8.3f} '
              f'{median(col(label, "wakeups")):9.1f} {median(col(label, "rss")) / mb:7.1f} '
              f'{median(col(label, "pss")) / mb:7.1f} {median(col(label, "private")) / mb:10.1f} '
              f'{median(col(label, "dirty")) / mb:7.1f} '
              f'{(str(int(median(rw))) if rw else "-"):>8}' + (f'  (died in {dead} round(s))' if dead else ''))
    if {'Xvfb', 'picom', 'sway'} & set(labels):
        print('(the display server and the compositor serve all of the above at once)')
    goals = []
    if 'conky' in labels:
        for label, limit in cpu_goals.items():
            if label not in labels:
                continue
            per = [r[label]['cpu_pct'] / r['conky']['cpu_pct'] for r in rounds
                   if label in r and 'conky' in r and r['conky']['cpu_pct'] > 0]
            ratio = median(col(label, 'cpu_pct')) / median(col('conky', 'cpu_pct'))
            goals.append((f'{label} CPU / conky', ratio, limit,
                          f' (rounds {min(per):.2f}-{max(per):.2f})' if per else ''))
    # The battery alone may now cost too little to measure: no ratio then.
    if 'music' in labels and 'battery' in labels and median(col('battery', 'cpu_pct')) > 0:
        goals.append(('music idle / battery', median(col('music', 'cpu_pct')) / median(col('battery', 'cpu_pct')),
                      1.0, ''))
    if 'app-3' in labels and memory_goals:
        goals.append(('app-3 RSS MB', median(col('app-3', 'rss')) / mb, 39.0, ''))
        goals.append(('app-3 private MB', median(col('app-3', 'private')) / mb, 6.0, ''))
    starts = {}
    for line in read(os.path.join(directory, 'startup.txt')).splitlines():
        who, first, last = line.split()
        starts.setdefault(who, []).append((float(first), float(last)))
    # The app against a minimal Qt window (X11), or against conky (Wayland).
    ref = next((who for who in ('anchor', 'conky') if starts.get(who)), None)
    if starts.get('app') and ref:
        (app_first, app_all), (ref_first, ref_all) = (
            (median([a for a, _ in starts[who]]), median([b for _, b in starts[who]])) for who in ('app', ref))
        print(f'Exec to mapped, ms (median of {len(starts["app"])} runs each, alternating): '
              f'app first {app_first:.1f}, all {app_all:.1f}; {ref} first {ref_first:.1f}, all {ref_all:.1f}')
        if ref == 'anchor':
            goals.append(('first mapped / anchor', app_first / ref_first, 1.3, ''))
            goals.append(('all mapped / anchor', app_all / ref_all, 1.6, ''))
    # Each round's figures, and what the same apps did while the session was locked.
    locked = []
    for path in sorted(glob.glob(os.path.join(directory, 'locked-*.json'))):
        with open(path) as f:
            locked.append({r['label']: r for r in (json.loads(line) for line in f if line.strip())})
    for i, r in enumerate(rounds):
        line = f'round {i + 1}:'
        if 'conky' in r and 'app-3' in r and r['conky']['cpu_pct'] > 0:
            line += f' app-3/conky CPU {r["app-3"]["cpu_pct"] / r["conky"]["cpu_pct"]:.2f},'
        line += ''.join(f' {label} {r[label]["wakeups"]:.2f}/s {r[label]["rss"] / mb:.1f} MB,'
                        for label in ('app-3', 'battery', 'conky') if label in r)
        if i < len(locked):
            line += ' locked' + ''.join(f' {label} {locked[i][label]["wakeups"]:.2f}/s'
                                        f' {locked[i][label]["cpu_pct"]:.4f} %'
                                        for label in ('app-3', 'battery') if label in locked[i])
            changed = read(os.path.join(directory, f'locked-{i + 1}-changed.txt')).strip()
            if changed:
                line += f', clock pixels changed {changed}'
        print(line.rstrip(','))
    for label in ('app-3', 'battery'):
        woken = [r[label]['wakeups'] for r in locked if label in r]
        if woken:
            print(f'locked {label}: median {median(woken):.2f} wake-ups/s')
    for name, value, limit, extra in goals:
        print(f'  {name:24} {value:6.2f}  (goal <= {limit}){extra}  {"ok" if value <= limit else "ABOVE"}')


if __name__ == '__main__':
    if len(sys.argv) >= 3 and sys.argv[1] == 'sample':
        sample(float(sys.argv[2]), sys.argv[3:])
    elif len(sys.argv) >= 3 and sys.argv[1] == 'report':
        given = {k: float(v) for k, _, v in (a.partition('=') for a in sys.argv[3:])}
        report(sys.argv[2], given or {'app-3': 0.8, 'app-4': 1.0}, memory_goals=not given)
    else:
        sys.exit(__doc__)

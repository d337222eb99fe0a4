#!/usr/bin/python3
"""wl_map_watch.py COUNT CMD [ARGS...]

Starts CMD with WAYLAND_DEBUG=client and prints the milliseconds from its exec
until the first and until COUNT of its layer surfaces are mapped (a buffer
attached and committed after the surface's first configure was acked): "FIRST
ALL". Then stops CMD (TERM, KILL after 5 s). Exit status 1 when COUNT surfaces
were not mapped within 15 s, 2 on wrong use.
"""
import os
import re
import select
import signal
import subprocess
import sys
import time

LAYER = re.compile(r'get_layer_surface\(new id zwlr_layer_surface_v1[#@](\d+), wl_surface[#@](\d+)')
ACK = re.compile(r'-> zwlr_layer_surface_v1[#@](\d+)\.ack_configure\(')
ATTACH = re.compile(r'-> wl_surface[#@](\d+)\.attach\(wl_buffer[#@]\d+')
COMMIT = re.compile(r'-> wl_surface[#@](\d+)\.commit\(\)')


def watch(count, argv):
    env = dict(os.environ, WAYLAND_DEBUG='client')
    start = time.monotonic()
    proc = subprocess.Popen(argv, env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                            stderr=subprocess.PIPE)
    surface_of = {}         # layer surface id -> wl_surface id
    acked, attached, mapped = set(), set(), []
    pending = b''
    deadline = start + 15
    try:
        while len(mapped) < count and time.monotonic() < deadline:
            ready, _, _ = select.select([proc.stderr], [], [], max(0.0, deadline - time.monotonic()))
            if not ready:
                break
            chunk = os.read(proc.stderr.fileno(), 65536)
            if not chunk:
                break
            now = (time.monotonic() - start) * 1e3
            *lines, pending = (pending + chunk).split(b'\n')
            for raw in lines:
                line = raw.decode('utf-8', 'replace')
                if m := LAYER.search(line):
                    surface_of[m[1]] = m[2]
                elif m := ACK.search(line):
                    if m[1] in surface_of:
                        acked.add(surface_of[m[1]])
                elif m := ATTACH.search(line):
                    attached.add(m[1])
                elif (m := COMMIT.search(line)) and m[1] in acked and m[1] in attached and m[1] not in mapped:
                    mapped.append(m[1])
                    if len(mapped) == 1:
                        first = now
                    if len(mapped) == count:
                        print(f'{first:.1f} {now:.1f}')
    finally:
        proc.stderr.close()  # a full pipe must not hold CMD up on its way out
        proc.send_signal(signal.SIGTERM)
        try:
            proc.wait(5)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()
    return 0 if len(mapped) >= count else 1


if __name__ == '__main__':
    if len(sys.argv) < 3 or not sys.argv[1].isdigit() or int(sys.argv[1]) < 1:
        sys.exit(__doc__)
    sys.exit(watch(int(sys.argv[1]), sys.argv[2:]))

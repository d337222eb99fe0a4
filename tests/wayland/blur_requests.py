#!/usr/bin/env python3
"""blur_requests.py LOG WHAT: the blur a Wayland client last committed behind the
newest surface of WHAT (a layer surface's namespace, or a toplevel's title), read
from the client's WAYLAND_DEBUG=client log: its region's rectangles as "X, Y, W, H"
(joined by "; "), "whole" for a null region, "none" when that surface has none."""
import re
import sys

log, what = sys.argv[1], sys.argv[2]
surface_of, xdg, toplevel = {}, {}, {}
regions, blurs, pending, committed = {}, {}, {}, {}
for line in open(log, errors='replace'):
    if '-> ' not in line:  # only the client's requests
        continue
    call = line.split('-> ', 1)[1].strip()
    if m := re.match(r'\S+\.get_layer_surface\(new id \S+ (wl_surface#\d+), \S+ \d+, "(.*)"\)$', call):
        surface_of[m[2]] = m[1]
    elif m := re.match(r'\S+\.get_xdg_surface\(new id (xdg_surface#\d+), (wl_surface#\d+)\)$', call):
        xdg[m[1]] = m[2]
    elif m := re.match(r'(xdg_surface#\d+)\.get_toplevel\(new id (xdg_toplevel#\d+)\)$', call):
        toplevel[m[2]] = xdg.get(m[1])
    elif m := re.match(r'(xdg_toplevel#\d+)\.set_title\("(.*)"\)$', call):
        surface_of[m[2]] = toplevel.get(m[1])
    elif m := re.match(r'\S+\.create_region\(new id (wl_region#\d+)\)$', call):
        regions[m[1]] = []
    elif m := re.match(r'(wl_region#\d+)\.add\((.*)\)$', call):
        regions.setdefault(m[1], []).append(m[2])
    elif m := re.match(r'\S+\.create\(new id (org_kde_kwin_blur#\d+), (wl_surface#\d+)\)$', call):
        blurs[m[1]] = m[2]
    elif m := re.match(r'(org_kde_kwin_blur#\d+)\.set_region\((\S+)\)$', call):
        pending[m[1]] = '; '.join(regions.get(m[2], [])) if m[2] != 'nil' else 'whole'
    elif m := re.match(r'(org_kde_kwin_blur#\d+)\.commit\(\)$', call):
        committed[blurs.get(m[1])] = pending.get(m[1])
    elif m := re.match(r'\S+\.unset\((wl_surface#\d+)\)$', call) or re.match(r'(wl_surface#\d+)\.destroy\(\)$', call):
        committed.pop(m[1], None)  # ids are used again for later objects
print(committed.get(surface_of.get(what)) or 'none')

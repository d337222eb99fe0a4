#!/usr/bin/env bash
# translations_complete.sh LUPDATE LRELEASE SOURCE_DIR
# Brings a copy of every translations/*.ts up to date with the sources and
# fails when a text has no finished translation, or a translation lost or
# gained a placeholder (%1 …) of its source.
set -u
lupdate=$1 lrelease=$2 root=$3
work=$(mktemp -d /tmp/pellix-ts.XXXXXX)
trap 'rm -rf "$work"' EXIT
status=0
for ts in "$root"/translations/*.ts; do
  name=$(basename "$ts")
  cp "$ts" "$work/$name"
  "$lupdate" -silent -locations none -no-obsolete -source-language it_IT "$root/src" -ts "$work/$name" >/dev/null 2>&1 \
    || { echo "$name: lupdate failed"; status=1; continue; }
  report=$("$lrelease" "$work/$name" -qm "$work/${name%.ts}.qm" 2>&1)
  echo "$name: $(echo "$report" | grep -o 'Generated.*')"
  echo "$report" | grep -q ' 0 unfinished)' || status=1
  python3 - "$work/$name" <<'PY' || status=1
import re, sys, xml.etree.ElementTree as E
bad = 0
for ctx in E.parse(sys.argv[1]).getroot().iter('context'):
    for m in ctx.iter('message'):
        src, tr = m.find('source').text or '', m.find('translation')
        text = tr.text or ''
        if tr.get('type') in ('unfinished', 'vanished', 'obsolete') or not text:
            print(f"  unfinished: {ctx.find('name').text}: {src}")
            bad += 1
        elif sorted(re.findall(r'%\d', src)) != sorted(re.findall(r'%\d', text)):
            print(f"  placeholders differ: {src!r} -> {text!r}")
            bad += 1
sys.exit(1 if bad else 0)
PY
done
exit $status

#!/usr/bin/env bash
# translations_complete.sh LUPDATE LRELEASE SOURCE_DIR
# Brings a copy of every translations/*.ts up to date with the sources; fails
# when a text has no finished translation or a translation lost a placeholder.
set -u
lupdate=$1 lrelease=$2 root=$3 status=0
work=$(mktemp -d /tmp/pellix-ts.XXXXXX)
trap 'rm -rf "$work"' EXIT
for ts in "$root"/translations/*.ts; do
  copy=$work/$(basename "$ts")
  cp "$ts" "$copy"
  "$lupdate" -silent -locations none -no-obsolete -source-language it_IT "$root/src" -ts "$copy" || status=1
  echo "$(basename "$ts"): $("$lrelease" "$copy" -qm "${copy%.ts}.qm" | grep -o 'Generated.*')"
  python3 - "$copy" <<'PY' || status=1
import re, sys, xml.etree.ElementTree as E
bad = [m.find('source').text for m in E.parse(sys.argv[1]).iter('message')
       if m.find('translation').get('type') or not m.find('translation').text
       or sorted(re.findall(r'%\d', m.find('source').text)) != sorted(re.findall(r'%\d', m.find('translation').text))]
for text in bad:
    print('  unfinished, or its placeholders differ:', text)
sys.exit(1 if bad else 0)
PY
done
exit $status

#!/usr/bin/python3
"""A scripted MPRIS player on the session bus, for tests.

  mpris_player.py NAME [--status Playing|Paused|Stopped] [--track TITLE ARTISTS ART]...
                  [--identity TEXT] [--also NAME STATUS IDENTITY]...
                  [--title-length N] [--log FILE] [--silent]

Owns org.mpris.MediaPlayer2.NAME. ARTISTS is ";"-separated (sent as a list);
an empty ART leaves mpris:artUrl out; --title-length repeats every TITLE to N
characters (more than a command line holds). --identity: the Identity (none
without); --also: one more name on the connection (a phone bridge), with its
own state. PlayPause, Next, Previous and org.pellix.TestPlayer.SetIdentity(s)
change the state of the name they were sent to; every Player method received
is appended to FILE, one name a line. org.pellix.TestPlayer.Flood(u COUNT,
as PROPERTIES) sends 1000 PropertiesChanged a second of PROPERTIES (Position,
Volume, Metadata, PlaybackStatus) until COUNT, then signals the next track;
Reads() -> u counts the Player's GetAll so far. --silent answers nothing at
all (a hung player). SIGTERM ends it.
"""
import argparse
import time

from gi.repository import Gio, GLib

PATH = '/org/mpris/MediaPlayer2'
PREFIX = 'org.mpris.MediaPlayer2.'
PLAYER = PREFIX + 'Player'
# Properties are left to the method handler (no get_property): it sees which name was asked.
XML = f'''<node>
<interface name="org.mpris.MediaPlayer2"><property name="Identity" type="s" access="read"/></interface>
<interface name="{PLAYER}">
  <method name="PlayPause"/><method name="Next"/><method name="Previous"/>
  <property name="PlaybackStatus" type="s" access="read"/>
  <property name="Metadata" type="a{{sv}}" access="read"/>
</interface>
<interface name="org.pellix.TestPlayer">
  <method name="SetIdentity"><arg type="s" direction="in"/></method>
  <method name="Flood"><arg type="u" direction="in"/><arg type="as" direction="in"/></method>
  <method name="Reads"><arg type="u" direction="out"/></method>
</interface>
</node>'''


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('name')
    parser.add_argument('--status', default='Playing')
    parser.add_argument('--track', nargs=3, action='append', default=[])
    parser.add_argument('--identity')
    parser.add_argument('--also', nargs=3, action='append', default=[])
    parser.add_argument('--title-length', type=int)
    parser.add_argument('--log')
    parser.add_argument('--silent', action='store_true')
    args = parser.parse_args()
    tracks = args.track or [('Song', 'Artist', '')]
    if args.title_length:
        tracks = [((t * (args.title_length // len(t) + 1))[:args.title_length], a, art) for t, a, art in tracks]
    states = {PREFIX + name: {'status': status, 'index': 0, 'identity': identity}
              for name, status, identity in [(args.name, args.status, args.identity)] + args.also}

    def metadata(state):
        title, artists, art = tracks[state['index']]
        md = {'mpris:trackid': GLib.Variant('o', f'/track/{state["index"]}'),
              'xesam:title': GLib.Variant('s', title),
              'xesam:artist': GLib.Variant('as', [a for a in artists.split(';') if a])}
        if art:
            md['mpris:artUrl'] = GLib.Variant('s', art)
        return GLib.Variant('a{sv}', md)

    def properties(state, iface):
        if iface == PLAYER:
            return {'PlaybackStatus': GLib.Variant('s', state['status']), 'Metadata': metadata(state)}
        return {'Identity': GLib.Variant('s', state['identity'])} if state['identity'] is not None else {}

    reads = [0]

    # COUNT PropertiesChanged of NAMES, 10 every 10 ms, then the next track, signalled; then the answer.
    def flood(conn, state, count, names, invocation):
        def signal(names):
            values = dict(properties(state, PLAYER), Position=GLib.Variant('x', time.monotonic_ns() // 1000),
                          Volume=GLib.Variant('d', 0.5))
            conn.emit_signal(None, PATH, 'org.freedesktop.DBus.Properties', 'PropertiesChanged',
                             GLib.Variant('(sa{sv}as)', (PLAYER, {n: values[n] for n in names}, [])))

        left = count

        def step():
            nonlocal left
            for _ in range(min(10, left)):
                signal(names)
            left -= 10
            if left > 0:
                return True
            state['index'] = (state['index'] + 1) % len(tracks)
            signal(['Metadata', 'PlaybackStatus'])
            invocation.return_value(None)
            return False
        GLib.timeout_add(10, step)

    def call(conn, sender, path, iface, method, params, invocation):
        if args.silent:
            time.sleep(3600)
        state = states.get(invocation.get_message().get_destination(), states[PREFIX + args.name])
        if iface == 'org.freedesktop.DBus.Properties':
            values = properties(state, params[0])
            if method == 'GetAll' and params[0] == PLAYER:
                reads[0] += 1
            if method == 'GetAll':
                return invocation.return_value(GLib.Variant('(a{sv})', (values,)))
            if method == 'Get' and params[1] in values:
                return invocation.return_value(GLib.Variant('(v)', (values[params[1]],)))
            return invocation.return_dbus_error('org.freedesktop.DBus.Error.InvalidArgs', 'no such property')
        if method == 'SetIdentity':
            state['identity'] = params[0]
            return invocation.return_value(None)
        if method == 'Flood':
            return flood(conn, state, *params, invocation)
        if method == 'Reads':
            return invocation.return_value(GLib.Variant('(u)', (reads[0],)))
        if args.log:
            with open(args.log, 'a') as log:
                log.write(method + '\n')
        if method == 'PlayPause':
            state['status'] = 'Paused' if state['status'] == 'Playing' else 'Playing'
        elif method in ('Next', 'Previous'):
            state['index'] = (state['index'] + (1 if method == 'Next' else -1)) % len(tracks)
        invocation.return_value(None)

    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    for info in Gio.DBusNodeInfo.new_for_xml(XML).interfaces:
        bus.register_object(PATH, info, call, None, None)
    # The object is there before the names, so a visible name always answers.
    for name in states:
        Gio.bus_own_name_on_connection(bus, name, Gio.BusNameOwnerFlags.NONE, None, None)
    GLib.MainLoop().run()


if __name__ == '__main__':
    main()

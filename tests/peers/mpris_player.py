#!/usr/bin/python3
"""A scripted MPRIS player on the session bus, for tests.

  mpris_player.py NAME [--status Playing|Paused|Stopped] [--track TITLE ARTISTS ART]...
                  [--title-length N] [--log FILE] [--silent]

Owns org.mpris.MediaPlayer2.NAME. ARTISTS is ";"-separated (sent as a list);
an empty ART leaves mpris:artUrl out; --title-length repeats every TITLE to N
characters (more than a command line holds). PlayPause, Next and Previous
change the state; every Player method received is appended to FILE, one name
a line. --silent answers nothing at all (a hung player). SIGTERM ends it.
"""
import argparse
import time

from gi.repository import Gio, GLib

PATH = '/org/mpris/MediaPlayer2'
PLAYER = 'org.mpris.MediaPlayer2.Player'
XML = f'''<node><interface name="{PLAYER}">
  <method name="PlayPause"/><method name="Next"/><method name="Previous"/>
  <property name="PlaybackStatus" type="s" access="read"/>
  <property name="Metadata" type="a{{sv}}" access="read"/>
</interface></node>'''


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('name')
    parser.add_argument('--status', default='Playing')
    parser.add_argument('--track', nargs=3, action='append', default=[])
    parser.add_argument('--title-length', type=int)
    parser.add_argument('--log')
    parser.add_argument('--silent', action='store_true')
    args = parser.parse_args()
    tracks = args.track or [('Song', 'Artist', '')]
    if args.title_length:
        tracks = [((t * (args.title_length // len(t) + 1))[:args.title_length], a, art) for t, a, art in tracks]
    state = {'status': args.status, 'index': 0}

    def metadata():
        title, artists, art = tracks[state['index']]
        md = {'mpris:trackid': GLib.Variant('o', f'/track/{state["index"]}'),
              'xesam:title': GLib.Variant('s', title),
              'xesam:artist': GLib.Variant('as', [a for a in artists.split(';') if a])}
        if art:
            md['mpris:artUrl'] = GLib.Variant('s', art)
        return GLib.Variant('a{sv}', md)

    def get_property(conn, sender, path, iface, name):
        if args.silent:
            time.sleep(3600)
        if name == 'PlaybackStatus':
            return GLib.Variant('s', state['status'])
        return metadata()

    def call(conn, sender, path, iface, method, params, invocation):
        if args.silent:
            time.sleep(3600)
        if args.log:
            with open(args.log, 'a') as log:
                log.write(method + '\n')
        if method == 'PlayPause':
            state['status'] = 'Paused' if state['status'] == 'Playing' else 'Playing'
        elif method in ('Next', 'Previous'):
            state['index'] = (state['index'] + (1 if method == 'Next' else -1)) % len(tracks)
        invocation.return_value(None)

    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    bus.register_object(PATH, Gio.DBusNodeInfo.new_for_xml(XML).interfaces[0], call, get_property, None)
    # The object is there before the name, so a visible name always answers.
    Gio.bus_own_name_on_connection(bus, 'org.mpris.MediaPlayer2.' + args.name, Gio.BusNameOwnerFlags.NONE,
                                   None, None)
    GLib.MainLoop().run()


if __name__ == '__main__':
    main()

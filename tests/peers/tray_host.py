#!/usr/bin/python3
"""A bare StatusNotifier tray on the session bus, for tests. `watch`: the
StatusNotifierWatcher (a host said to be there), prints "ready", then each item
registered. Of the last item registered: `pid` its process, `activate` a left
click on it, `menu LABEL` a click on that entry of its menu."""
import sys

from gi.repository import Gio, GLib

WATCHER = 'org.kde.StatusNotifierWatcher'
XML = f'''<node><interface name="{WATCHER}"><method name="RegisterStatusNotifierItem"><arg type="s"/></method>
  <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
  <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
  <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal><signal name="StatusNotifierHostRegistered"/>
</interface></node>'''
bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)


def call(name, path, iface, method, *args, signature=''):
    return bus.call_sync(name, path, iface, method, GLib.Variant(f'({signature})', args), None,
                         Gio.DBusCallFlags.NONE, 5000, None).unpack()


def get(name, path, iface, prop):
    return call(name, path, 'org.freedesktop.DBus.Properties', 'Get', iface, prop, signature='ss')[0]


def watch():
    items = []

    def method(conn, sender, path, iface, name, params, invocation):
        items.append(sender if params[0].startswith('/') else params[0])  # a path is on the caller's connection
        print(items[-1], flush=True)
        conn.emit_signal(None, path, WATCHER, 'StatusNotifierItemRegistered', GLib.Variant('(s)', (items[-1],)))
        invocation.return_value(None)

    def prop(conn, sender, path, iface, name):
        return GLib.Variant('as', items) if name == 'RegisteredStatusNotifierItems' else GLib.Variant('b', True)

    bus.register_object('/StatusNotifierWatcher', Gio.DBusNodeInfo.new_for_xml(XML).interfaces[0], method, prop, None)
    Gio.bus_own_name_on_connection(bus, WATCHER, Gio.BusNameOwnerFlags.NONE, lambda *_: print('ready', flush=True), None)
    GLib.MainLoop().run()


def main():
    if sys.argv[1] == 'watch':
        return watch()
    item = get(WATCHER, '/StatusNotifierWatcher', WATCHER, 'RegisteredStatusNotifierItems')[-1]
    if sys.argv[1] == 'pid':
        print(call('org.freedesktop.DBus', '/org/freedesktop/DBus', 'org.freedesktop.DBus',
                   'GetConnectionUnixProcessID', item, signature='s')[0])
    elif sys.argv[1] == 'activate':
        call(item, '/StatusNotifierItem', 'org.kde.StatusNotifierItem', 'Activate', 0, 0, signature='ii')
    else:
        menu = get(item, '/StatusNotifierItem', 'org.kde.StatusNotifierItem', 'Menu')
        entries = [call(item, menu, 'com.canonical.dbusmenu', 'GetLayout', 0, -1, [], signature='iias')[1]]
        while entries:
            entry, props, children = entries.pop()
            if props.get('label', '').replace('&', '') == sys.argv[2]:
                return call(item, menu, 'com.canonical.dbusmenu', 'Event', entry, 'clicked', GLib.Variant('i', 0), 0,
                            signature='isvu')
            entries += children
        sys.exit(f'no menu entry {sys.argv[2]}')


if __name__ == '__main__':
    main()

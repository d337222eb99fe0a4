#!/usr/bin/python3
"""A bare StatusNotifier tray on the session bus, for tests.

  tray_host.py watch            the org.kde.StatusNotifierWatcher (with a host):
                                prints "ready", then each item registered
  tray_host.py pid              the process of the last item registered
  tray_host.py activate         a left click on that item
  tray_host.py menu LABEL       clicks the entry LABEL of that item's menu
"""
import sys

from gi.repository import Gio, GLib

WATCHER = 'org.kde.StatusNotifierWatcher'
XML = f'''<node><interface name="{WATCHER}">
  <method name="RegisterStatusNotifierItem"><arg type="s" direction="in"/></method>
  <method name="RegisterStatusNotifierHost"><arg type="s" direction="in"/></method>
  <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
  <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
  <property name="ProtocolVersion" type="i" access="read"/>
  <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
  <signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
  <signal name="StatusNotifierHostRegistered"/>
</interface></node>'''


def watch(bus):
    items = []

    def call(conn, sender, path, iface, method, params, invocation):
        if method == 'RegisterStatusNotifierItem':
            # A bus name, or an object path on the caller's connection.
            service = params[0] if not params[0].startswith('/') else sender + params[0]
            items.append(service)
            print(service, flush=True)
            conn.emit_signal(None, path, WATCHER, 'StatusNotifierItemRegistered', GLib.Variant('(s)', (service,)))
        invocation.return_value(None)

    def get_property(conn, sender, path, iface, name):
        return {'RegisteredStatusNotifierItems': GLib.Variant('as', items),
                'IsStatusNotifierHostRegistered': GLib.Variant('b', True),
                'ProtocolVersion': GLib.Variant('i', 0)}[name]

    bus.register_object('/StatusNotifierWatcher', Gio.DBusNodeInfo.new_for_xml(XML).interfaces[0],
                        call, get_property, None)
    Gio.bus_own_name_on_connection(bus, WATCHER, Gio.BusNameOwnerFlags.NONE,
                                   lambda *_: print('ready', flush=True), None)
    GLib.MainLoop().run()


def call(bus, name, path, iface, method, args):
    return bus.call_sync(name, path, iface, method, args, None, Gio.DBusCallFlags.NONE, 5000, None).unpack()


def item_property(bus, name, prop):
    return call(bus, name, '/StatusNotifierItem', 'org.freedesktop.DBus.Properties', 'Get',
                GLib.Variant('(ss)', ('org.kde.StatusNotifierItem', prop)))[0]


def main():
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    if sys.argv[1] == 'watch':
        return watch(bus)
    item = call(bus, WATCHER, '/StatusNotifierWatcher', 'org.freedesktop.DBus.Properties', 'Get',
                GLib.Variant('(ss)', (WATCHER, 'RegisteredStatusNotifierItems')))[0][-1]
    if sys.argv[1] == 'pid':
        print(call(bus, 'org.freedesktop.DBus', '/org/freedesktop/DBus', 'org.freedesktop.DBus',
                   'GetConnectionUnixProcessID', GLib.Variant('(s)', (item,)))[0])
        return
    if sys.argv[1] == 'activate':
        call(bus, item, '/StatusNotifierItem', 'org.kde.StatusNotifierItem', 'Activate', GLib.Variant('(ii)', (0, 0)))
        return
    menu = item_property(bus, item, 'Menu')
    _, layout = call(bus, item, menu, 'com.canonical.dbusmenu', 'GetLayout', GLib.Variant('(iias)', (0, -1, [])))
    entries = [layout]
    while entries:
        entry_id, props, children = entries.pop()
        if props.get('label', '').replace('&', '') == sys.argv[2]:
            call(bus, item, menu, 'com.canonical.dbusmenu', 'Event',
                 GLib.Variant('(isvu)', (entry_id, 'clicked', GLib.Variant('i', 0), 0)))
            return
        entries += children
    sys.exit(f'no menu entry {sys.argv[2]}')


if __name__ == '__main__':
    main()

#!/usr/bin/python3
"""A UPower that misbehaves, on the bus of DBUS_SYSTEM_BUS_ADDRESS.

hostile_upower.py --silent       owns org.freedesktop.UPower and never answers
hostile_upower.py --devices N    answers, with N accessories; the first ones carry
                                 hostile values (absurd percentages, wrong types,
                                 huge and binary names), the rest are plain mice

Prints "ready" once it owns the name. The object / answers
org.dbuspeers.Hostile.GetAllCalls: how many device descriptions were asked for.
"""
import argparse
import os
import sys
import time

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

NAME = 'org.freedesktop.UPower'
DEVICES = '/org/freedesktop/UPower/devices'
HOSTILE = [  # Type, Model, Percentage
    (dbus.UInt32(5), 'M' * 100000, dbus.Double(1e14)),
    (dbus.UInt32(6), 'Tastiera\x01\x7f\t', dbus.Double(-5.0)),
    (dbus.UInt32(17), 'Cuffie', dbus.Double(float('nan'))),
    (dbus.String('mouse'), 'Strano', dbus.String('molto')),
    (dbus.UInt32(5), 'Grande', dbus.Int64(2**63 - 1)),
]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--silent', action='store_true')
    parser.add_argument('--devices', type=int, default=0)
    args = parser.parse_args()
    address = os.environ['DBUS_SYSTEM_BUS_ADDRESS']

    if args.silent:
        # Without a main loop nothing is ever read from the socket: calls queue up unanswered.
        bus = dbus.bus.BusConnection(address)
        bus.request_name(NAME)
        print('ready', flush=True)
        while True:
            time.sleep(3600)

    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = dbus.bus.BusConnection(address)
    calls = [0]

    class UPower(dbus.service.Object):
        @dbus.service.method(NAME, out_signature='ao')
        def EnumerateDevices(self):
            return [dbus.ObjectPath('%s/d%d' % (DEVICES, i)) for i in range(args.devices)]

        @dbus.service.method('org.dbuspeers.Hostile', out_signature='u')
        def GetAllCalls(self):
            return calls[0]

    class Devices(dbus.service.FallbackObject):
        @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature='s', out_signature='a{sv}', rel_path_keyword='rel')
        def GetAll(self, interface, rel):
            calls[0] += 1
            i = int(rel.rsplit('d', 1)[1])
            kind, model, percent = HOSTILE[i] if i < len(HOSTILE) else (dbus.UInt32(5), 'Mouse %d' % i, dbus.Double(50.0))
            return {'Type': kind, 'Model': model, 'Percentage': percent, 'PowerSupply': dbus.Boolean(False)}

    UPower(bus, '/org/freedesktop/UPower')
    Devices(bus, DEVICES)
    UPower(bus, '/')  # where GetAllCalls is asked
    bus.request_name(NAME)
    print('ready', flush=True)
    GLib.MainLoop().run()


if __name__ == '__main__':
    sys.exit(main())

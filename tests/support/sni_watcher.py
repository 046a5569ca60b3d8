#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A stand-in for a desktop's tray: the org.kde.StatusNotifierWatcher that a
panel runs, on the session bus of the environment (a test's private
dbus-daemon). It records the items that register and prints one line per
event on standard output, flushed at once:

    ready                      the watcher's name is taken
    asked NAME                 a caller read the property NAME
    item SERVICE PATH          an item registered (the bus name that called, and its object)
    host                       a host is there now (emitted as StatusNotifierHostRegistered)

    sni_watcher.py [--no-host]

With --no-host the watcher starts without a host; the line "host" on
standard input brings one, as a panel that starts its tray later does. It
ends when standard input closes.
"""
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME = "org.kde.StatusNotifierWatcher"
IFACE = "org.kde.StatusNotifierWatcher"
PROPS = "org.freedesktop.DBus.Properties"


def say(line):
    print(line, flush=True)


class Watcher(dbus.service.Object):
    def __init__(self, bus, host):
        super().__init__(bus, "/StatusNotifierWatcher")
        self.items = []
        self.host = host

    @dbus.service.method(IFACE, in_signature="s", out_signature="", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender=None):
        path = service if service.startswith("/") else "/StatusNotifierItem"
        name = sender if service.startswith("/") else service
        self.items.append(f"{name}{path}")
        say(f"item {name} {path}")
        self.StatusNotifierItemRegistered(f"{name}{path}")

    @dbus.service.method(IFACE, in_signature="s", out_signature="")
    def RegisterStatusNotifierHost(self, service):
        self.bring_host()

    def bring_host(self):
        if not self.host:
            self.host = True
            say("host")
            self.StatusNotifierHostRegistered()

    @dbus.service.signal(IFACE, signature="s")
    def StatusNotifierItemRegistered(self, item):
        pass

    @dbus.service.signal(IFACE, signature="")
    def StatusNotifierHostRegistered(self):
        pass

    def properties(self):
        return {
            "RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
            "IsStatusNotifierHostRegistered": dbus.Boolean(self.host),
            "ProtocolVersion": dbus.Int32(0),
        }

    @dbus.service.method(PROPS, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        say(f"asked {name}")
        if interface != IFACE or name not in self.properties():
            raise dbus.exceptions.DBusException(f"no property {interface}.{name}",
                                                name="org.freedesktop.DBus.Error.UnknownProperty")
        return self.properties()[name]

    @dbus.service.method(PROPS, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return self.properties() if interface == IFACE else {}


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    watcher = Watcher(bus, host="--no-host" not in sys.argv[1:])
    bus_name = dbus.service.BusName(NAME, bus, do_not_queue=True)
    loop = GLib.MainLoop()

    def command(source, condition):
        line = sys.stdin.readline()
        if not line:
            loop.quit()
            return False
        if line.strip() == "host":
            watcher.bring_host()
        return True

    GLib.io_add_watch(sys.stdin.fileno(), GLib.IO_IN | GLib.IO_HUP, command)
    say("ready")
    loop.run()
    del bus_name


if __name__ == "__main__":
    main()

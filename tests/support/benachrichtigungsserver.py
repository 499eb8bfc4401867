#!/usr/bin/python3
"""A desktop notification server for the tests: owns org.freedesktop.Notifications
on the session bus it is started on and writes one line per notification,
"SUMMARY|BODY", to the file named as its argument. Prints "bereit" once it serves."""
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

NAME = "org.freedesktop.Notifications"


class Server(dbus.service.Object):
    def __init__(self, bus, datei):
        super().__init__(bus, "/org/freedesktop/Notifications")
        self.datei = datei
        self.nummer = 0

    @dbus.service.method(NAME, in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, app, ersetzt, symbol, titel, text, aktionen, hinweise, dauer):
        with open(self.datei, "a", encoding="utf-8") as f:
            f.write(f"{titel}|{text}\n")
        self.nummer += 1
        return self.nummer

    @dbus.service.method(NAME, in_signature="", out_signature="as")
    def GetCapabilities(self):
        return ["body"]

    @dbus.service.method(NAME, in_signature="", out_signature="ssss")
    def GetServerInformation(self):
        return ["testserver", "morva", "1", "1.2"]


dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
name = dbus.service.BusName(NAME, bus)
server = Server(bus, sys.argv[1])
print("bereit", flush=True)
GLib.MainLoop().run()

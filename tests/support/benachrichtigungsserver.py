#!/usr/bin/python3
"""A desktop notification server for the tests: owns org.freedesktop.Notifications
on the session bus it is started on and writes one line per notification,
"SUMMARY|BODY|ACTIONS" (the body's lines and the actions joined by ","), to the
file named as its first argument. The second argument names a file read at each
call: empty, the server offers no actions; otherwise it offers them and answers
each notification at once with ActionInvoked for the key written there.
Prints "bereit" once it serves."""
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

NAME = "org.freedesktop.Notifications"


class Server(dbus.service.Object):
    def __init__(self, bus, datei, modus):
        super().__init__(bus, "/org/freedesktop/Notifications")
        self.datei = datei
        self.modus = modus
        self.nummer = 0

    def klick(self):
        with open(self.modus, encoding="utf-8") as f:
            return f.read().strip()

    @dbus.service.method(NAME, in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, app, ersetzt, symbol, titel, text, aktionen, hinweise, dauer):
        with open(self.datei, "a", encoding="utf-8") as f:
            f.write(f"{titel}|{','.join(text.splitlines())}|{','.join(aktionen)}\n")
        self.nummer += 1
        schluessel = self.klick()
        if schluessel and aktionen:
            GLib.idle_add(self.ActionInvoked, self.nummer, schluessel)
        return self.nummer

    @dbus.service.signal(NAME, signature="us")
    def ActionInvoked(self, nummer, schluessel):
        pass

    @dbus.service.method(NAME, in_signature="", out_signature="as")
    def GetCapabilities(self):
        return ["body", "actions"] if self.klick() else ["body"]

    @dbus.service.method(NAME, in_signature="", out_signature="ssss")
    def GetServerInformation(self):
        return ["testserver", "morva", "1", "1.2"]


dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
name = dbus.service.BusName(NAME, bus)
server = Server(bus, sys.argv[1], sys.argv[2])
print("bereit", flush=True)
GLib.MainLoop().run()

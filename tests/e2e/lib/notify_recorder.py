#!/usr/bin/env python3
"""A stand-in for the desktop's notification service: owns org.freedesktop.Notifications on the
session bus, appends every Notify call to RECORD_FILE as one JSON line, creates READY_FILE once the
name is owned and stops after 60 seconds or on SIGTERM.

  notify_recorder.py RECORD_FILE READY_FILE"""
import json, signal, sys, dbus, dbus.mainloop.glib, dbus.service
from gi.repository import GLib

NAME = "org.freedesktop.Notifications"


class Recorder(dbus.service.Object):
    @dbus.service.method(NAME, in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, app_name, replaces_id, app_icon, summary, body, actions, hints, expire_timeout):
        with open(sys.argv[1], "a", encoding="utf-8") as f:
            f.write(json.dumps({"app_name": str(app_name), "replaces_id": int(replaces_id), "app_icon": str(app_icon),
                                "summary": str(summary), "body": str(body), "actions": [str(a) for a in actions],
                                "hints": {str(k): str(v) for k, v in hints.items()},
                                "expire_timeout": int(expire_timeout)}, ensure_ascii=False) + "\n")
        return dbus.UInt32(1)

    @dbus.service.method(NAME, in_signature="", out_signature="as")
    def GetCapabilities(self):
        return ["body"]

    @dbus.service.method(NAME, in_signature="", out_signature="ssss")
    def GetServerInformation(self):
        return ["recorder", "lumaro-tests", "1", "1.2"]


dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
name = dbus.service.BusName(NAME, bus, do_not_queue=True)
recorder = Recorder(bus, "/org/freedesktop/Notifications")
loop = GLib.MainLoop()
signal.signal(signal.SIGTERM, lambda *_: loop.quit())
GLib.timeout_add_seconds(60, loop.quit)
open(sys.argv[2], "w").close()
loop.run()

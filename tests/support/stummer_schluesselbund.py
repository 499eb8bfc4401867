# A keyring that hangs: owns the Secret Service's name on the session bus and
# never reads a call, so none is answered. Ends when its standard input closes.
import sys

import dbus

bus = dbus.SessionBus()
antwort = bus.request_name("org.freedesktop.secrets", dbus.bus.NAME_FLAG_DO_NOT_QUEUE)
if antwort != dbus.bus.REQUEST_NAME_REPLY_PRIMARY_OWNER:
    sys.exit("the name org.freedesktop.secrets is taken")
print("bereit", flush=True)
sys.stdin.read()

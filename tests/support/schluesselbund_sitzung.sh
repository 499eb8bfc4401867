#!/bin/sh
# Runs a test in a D-Bus session of its own: "gnome" with an unlocked GNOME
# Keyring in a home of its own, "keiner" on a bus that offers no Secret
# Service. The bus, and the keyring daemon with it, end with the test.
set -eu
art=$1
shift
heim=$(mktemp -d)
trap 'rm -rf "$heim"' EXIT
export HOME="$heim" XDG_DATA_HOME="$heim/daten" XDG_CACHE_HOME="$heim/cache" TEST_SCHLUESSELBUND="$art"
status=0
if [ "$art" = keiner ]; then
    dbus-run-session --config-file="$(dirname "$0")/bus_ohne_dienste.conf" -- "$@" || status=$?
else
    # The daemon's own password comes on standard input; --unlock makes the login keyring with it.
    dbus-run-session -- sh -c '
        printf %s testschluessel | gnome-keyring-daemon --unlock --components=secrets >/dev/null
        gdbus wait --session --timeout 30 org.freedesktop.secrets
        exec "$@"' sh "$@" || status=$?
fi
exit $status

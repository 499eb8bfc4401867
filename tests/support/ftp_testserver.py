"""FTP server for the tests, on 127.0.0.1 only.

Prints "PORT <n>" once it listens (the system picks the port), then one line
"BEFEHL <command line>" for every command it receives, so a test can read the
transcript, and "VERBUNDEN" and "GETRENNT" when a control connection begins and ends. With TLS it also prints "TLS STEUERUNG" when the control
connection and "TLS DATEN" when a data connection has finished its handshake.
Needs Debian's python3-pyftpdlib, and python3-openssl for TLS (run with
/usr/bin/python3).
"""
import argparse
import logging
import os
import socket
import sys
import time

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.filesystems import AbstractedFS
from pyftpdlib.handlers import DTPHandler, FTPHandler, PassiveDTP, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer


class Mitschreiben:
    """Prints every command, and when each control connection begins and
    ends, so that a test knows when a transcript is complete."""

    def on_connect(self):
        print("VERBUNDEN", flush=True)

    def on_disconnect(self):
        print("GETRENNT", flush=True)

    def pre_process_command(self, line, cmd, arg):
        print("BEFEHL " + line, flush=True)
        super().pre_process_command(line, cmd, arg)


class Mitschrift(Mitschreiben, FTPHandler):
    pass


def tlsHandler(art, zertifikat):
    """The handler for one of the TLS modes: "explizit" (AUTH TLS, then TLS
    required for login and data) or "implizit" (TLS from the first byte)."""
    from pyftpdlib.handlers import TLS_DTPHandler, TLS_FTPHandler

    class TlsDaten(TLS_DTPHandler):
        # libcurl starts the data connection's handshake before it sends STOR;
        # pyftpdlib closes a data connection that speaks before the command
        # came, unless it is told the handshake is under way.
        def readable(self):
            return self._ssl_accepting or super().readable()

        def handle_ssl_established(self):
            print("TLS DATEN", flush=True)

    class TlsMitschrift(Mitschreiben, TLS_FTPHandler):
        tls_control_required = True
        tls_data_required = True
        dtp_handler = TlsDaten
        certfile = zertifikat

        def handle_ssl_established(self):
            print("TLS STEUERUNG", flush=True)

    class ImplizitMitschrift(TlsMitschrift):
        # pyftpdlib knows only AUTH TLS; wrapping the socket right away makes it implicit.
        def handle(self):
            self.secure_connection(self.ssl_context)
            super().handle()

    return ImplizitMitschrift if art == "implizit" else TlsMitschrift


class LangsameLeitung(PassiveDTP):
    """A small receive buffer on the data connection, so that what the client
    sees acknowledged stays close to what the throttled server has taken in,
    as behind a slow line."""

    def create_socket(self, family, type):
        super().create_socket(family, type)
        # Before listen(), so that the connection's window is small from its start.
        self.socket.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 16384)


class StummerDTP(DTPHandler):
    """Takes the data connection but reads nothing: the upload stalls."""

    def readable(self):
        return False


class OhneAbschlussDTP(DTPHandler):
    """Reads the whole upload but never says that it arrived."""

    def close(self):
        self._resp = None
        super().close()


class Ereignisse:
    """Writes what the server really did, in the order it did it, to a file a
    test can read at any moment: "GELESEN n" after each read from a data
    connection (n bytes in all so far), "BESTAETIGT" just before an upload's
    226 goes out."""

    def __init__(self, pfad):
        self.datei = open(pfad, "a", buffering=1)

    def schreiben(self, zeile):
        self.datei.write(zeile + "\n")
        self.datei.flush()


def mitzaehlen(handler, ereignisse):
    class Gezaehlt(handler.dtp_handler):
        def handle_read(self):
            super().handle_read()
            ereignisse.schreiben("GELESEN %d" % self.tot_bytes_received)

        # The base class binds this name to its own handle_read.
        handle_read_event = handle_read

    handler.dtp_handler = Gezaehlt
    melden = handler.respond

    def respond(self, resp, *args, **kwargs):
        if resp.startswith("226"):
            ereignisse.schreiben("BESTAETIGT")
        melden(self, resp, *args, **kwargs)

    handler.respond = respond


def storAufhalten(handler, ereignisse, tor):
    """Records "STOR" among the events and holds the command until the file
    `tor` exists: a test can change the local file between the two, after
    the client took its size and before it reads a byte."""
    weiter = handler.ftp_STOR

    def ftp_STOR(self, line, mode="w"):
        ereignisse.schreiben("STOR")

        def warten():
            if not self.connected:
                return
            if os.path.exists(tor):
                weiter(self, line, mode)
            else:
                self.ioloop.call_later(0.01, warten)

        warten()

    handler.ftp_STOR = ftp_STOR


def haengenLassen(handler, stelle):
    """Makes the server fall silent at one step of an upload."""
    if stelle == "login":
        handler.ftp_PASS = lambda self, line: None
    elif stelle == "stor":
        handler.ftp_STOR = lambda self, line, mode="w": None
    elif stelle == "daten":
        handler.dtp_handler = StummerDTP
    elif stelle == "abschluss":
        handler.dtp_handler = OhneAbschlussDTP


def tropfen(kanal, code, sekunden=60):
    """Answers with a reply that never completes: an endless multi-line reply,
    one byte every 50 ms. Hangs up by itself after `sekunden`."""
    zeile = "%s-Bitte warten\r\n" % code
    ende = time.monotonic() + sekunden
    stand = [0]

    def weiter():
        if not kanal.connected:
            return
        if time.monotonic() > ende:
            kanal.close()
            return
        kanal.push(zeile[stand[0] % len(zeile)])
        stand[0] += 1
        kanal.ioloop.call_later(0.05, weiter)

    weiter()


class TropfenderAbschlussDTP(DTPHandler):
    """Takes the whole upload, then drips its answer to it."""

    def close(self):
        self._resp = None
        if not self._closed:
            tropfen(self.cmd_channel, "226")
        super().close()


def tropfenLassen(handler, stelle):
    """Makes the server drip its answer at one step of an upload."""
    if stelle == "pwd":
        handler.ftp_PWD = lambda self, line: tropfen(self, "257")
    elif stelle == "stor":
        handler.ftp_STOR = lambda self, line, mode="w": tropfen(self, "150")
    elif stelle == "abschluss":
        handler.dtp_handler = TropfenderAbschlussDTP


class Kuerzen(AbstractedFS):
    """Keeps only the first `behalten` bytes of an upload and still reports it
    complete, as a server with a full disk may."""

    behalten = 0

    def open(self, filename, mode):
        datei = super().open(filename, mode)
        if "w" not in mode:
            return datei
        behalten = self.behalten

        class Gekuerzt:
            name = datei.name
            closed = property(lambda self: datei.closed)

            def write(self, daten):
                platz = max(0, behalten - datei.tell())
                datei.write(daten[:platz])
                return len(daten)

            def close(self):
                datei.close()

        return Gekuerzt()


class Verwerfen(AbstractedFS):
    """Uploads go to /dev/null: for sizes the disk should not have to hold."""

    def open(self, filename, mode):
        if "w" in mode or "a" in mode:
            return open(os.devnull, mode)
        return super().open(filename, mode)


def main():
    teile = argparse.ArgumentParser()
    teile.add_argument("--benutzer", required=True)
    teile.add_argument("--passwort", required=True)
    teile.add_argument("--wurzel", required=True)
    teile.add_argument("--rechte", default="elradfmwMT")
    teile.add_argument("--drossel", type=int, default=0, help="bytes per second a data connection may take in")
    teile.add_argument("--verwerfen", action="store_true")
    teile.add_argument("--haengen", choices=["login", "stor", "daten", "abschluss"],
                       help="step of an upload after which the server says and does nothing more")
    teile.add_argument("--ereignisse", help="file to record reads and confirmations in")
    teile.add_argument("--stor-tor", help="with --ereignisse: hold each STOR until this file exists")
    teile.add_argument("--tropfen", choices=["pwd", "stor", "abschluss"],
                       help="step of an upload whose answer the server drips without end")
    teile.add_argument("--kuerzen", type=int, help="bytes of an upload the server keeps")
    teile.add_argument("--ohne-size", action="store_true", help="the server does not know SIZE")
    teile.add_argument("--tls", choices=["explizit", "implizit"])
    teile.add_argument("--zertifikat", help="PEM file with the server's certificate and key, for --tls")
    args = teile.parse_args()

    handler = tlsHandler(args.tls, args.zertifikat) if args.tls else Mitschrift
    konten = DummyAuthorizer()
    konten.add_user(args.benutzer, args.passwort, args.wurzel, perm=args.rechte)
    handler.authorizer = konten
    handler.banner = "Testserver bereit."
    if args.drossel:
        ThrottledDTPHandler.read_limit = args.drossel
        handler.dtp_handler = ThrottledDTPHandler
        handler.passive_dtp = LangsameLeitung
    if args.verwerfen:
        handler.abstracted_fs = Verwerfen
    if args.haengen:
        haengenLassen(handler, args.haengen)
    if args.ereignisse:
        ereignisse = Ereignisse(args.ereignisse)
        mitzaehlen(handler, ereignisse)
        if args.stor_tor:
            storAufhalten(handler, ereignisse, args.stor_tor)
    if args.tropfen:
        tropfenLassen(handler, args.tropfen)
    if args.kuerzen is not None:
        Kuerzen.behalten = args.kuerzen
        handler.abstracted_fs = Kuerzen
    if args.ohne_size:
        handler.proto_cmds = {k: v for k, v in handler.proto_cmds.items() if k != "SIZE"}

    logging.basicConfig(level=logging.WARNING)
    server = FTPServer(("127.0.0.1", 0), handler)
    print("PORT %d" % server.socket.getsockname()[1], flush=True)
    server.serve_forever(handle_exit=True)


if __name__ == "__main__":
    sys.exit(main())

"""A web server for the tests, on 127.0.0.1 only, that trickles its reply.

Prints "PORT <n>" once it listens (the system picks the port). Every request
is read whole and answered with a head, then with one byte of page every half
second, never done. The server ends by itself after --dauer seconds.
"""
import argparse
import socket
import sys
import threading
import time


def anfrageLesen(verbindung):
    daten = b""
    while b"\r\n\r\n" not in daten:
        stueck = verbindung.recv(65536)
        if not stueck:
            return
        daten += stueck
    kopf, _, koerper = daten.partition(b"\r\n\r\n")
    laenge = 0
    for zeile in kopf.split(b"\r\n"):
        if zeile.lower().startswith(b"content-length:"):
            laenge = int(zeile.split(b":", 1)[1])
    while len(koerper) < laenge:
        stueck = verbindung.recv(65536)
        if not stueck:
            return
        koerper += stueck


def troepfeln(verbindung, ende):
    with verbindung:
        verbindung.settimeout(max(0.1, ende - time.monotonic()))
        try:
            anfrageLesen(verbindung)
            verbindung.sendall(b"HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n<html><body>")
            while time.monotonic() < ende:
                verbindung.sendall(b"x")
                time.sleep(0.5)
        except OSError:
            pass


def main():
    teile = argparse.ArgumentParser()
    teile.add_argument("--dauer", type=float, default=60)
    args = teile.parse_args()
    ende = time.monotonic() + args.dauer

    lauscher = socket.socket()
    lauscher.bind(("127.0.0.1", 0))
    lauscher.listen(8)
    print("PORT %d" % lauscher.getsockname()[1], flush=True)
    while time.monotonic() < ende:
        lauscher.settimeout(max(0.1, ende - time.monotonic()))
        try:
            verbindung, _ = lauscher.accept()
        except socket.timeout:
            break
        print("ANFRAGE", flush=True)
        threading.Thread(target=troepfeln, args=(verbindung, ende), daemon=True).start()
    return 0


if __name__ == "__main__":
    sys.exit(main())

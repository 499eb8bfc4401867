"""A SOCKS5 proxy for the tests: no authentication, CONNECT only, and only to
127.0.0.1. Prints "PORT <n>" once it listens, then "CONNECT <host>:<port>" for
every tunnel it opens."""
import socket
import struct
import sys
import threading


def genau(verbindung, anzahl):
    daten = b""
    while len(daten) < anzahl:
        stueck = verbindung.recv(anzahl - len(daten))
        if not stueck:
            raise ConnectionError("closed")
        daten += stueck
    return daten


def weiterleiten(von, nach):
    """Copies one direction. Its end is passed on as an end of sending only:
    the other direction may still carry data (a TLS server may send its
    session tickets after the client has sent everything and said goodbye)."""
    try:
        while True:
            daten = von.recv(65536)
            if not daten:
                break
            nach.sendall(daten)
        nach.shutdown(socket.SHUT_WR)
    except OSError:
        for s in (von, nach):
            try:
                s.shutdown(socket.SHUT_RDWR)
            except OSError:
                pass


def bedienen(kunde):
    try:
        _, methoden = genau(kunde, 2)
        genau(kunde, methoden)
        kunde.sendall(b"\x05\x00")
        _, befehl, _, art = genau(kunde, 4)
        if art == 1:
            host = socket.inet_ntoa(genau(kunde, 4))
        elif art == 3:
            host = genau(kunde, genau(kunde, 1)[0]).decode()
        else:
            genau(kunde, 16)
            host = ""
        (port,) = struct.unpack("!H", genau(kunde, 2))
        if befehl != 1 or host not in ("127.0.0.1", "localhost"):
            kunde.sendall(b"\x05\x02\x00\x01\x00\x00\x00\x00\x00\x00")
            kunde.close()
            return
        ziel = socket.create_connection(("127.0.0.1", port), timeout=10)
        ziel.settimeout(None)
        print("CONNECT %s:%d" % (host, port), flush=True)
        kunde.sendall(b"\x05\x00\x00\x01" + socket.inet_aton("127.0.0.1") + struct.pack("!H", ziel.getsockname()[1]))
        zurueck = threading.Thread(target=weiterleiten, args=(ziel, kunde), daemon=True)
        zurueck.start()
        weiterleiten(kunde, ziel)
        # Closed only when both directions have ended: closing a socket with
        # data still coming in would reset the connection and drop that data.
        zurueck.join()
        ziel.close()
        kunde.close()
    except (OSError, ConnectionError):
        kunde.close()


def main():
    server = socket.socket()
    server.bind(("127.0.0.1", 0))
    server.listen(16)
    print("PORT %d" % server.getsockname()[1], flush=True)
    while True:
        kunde, _ = server.accept()
        threading.Thread(target=bedienen, args=(kunde,), daemon=True).start()


if __name__ == "__main__":
    sys.exit(main())

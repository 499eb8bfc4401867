"""TLS in front of a plain web server, as nginx would put it: listens on
127.0.0.1 with the certificate and key of the PEM file in argv[1] and passes
each connection on to 127.0.0.1:argv[2]. Prints "PORT <n>" once it listens."""
import socket
import ssl
import sys
import threading


def weiterleiten(von, nach):
    try:
        while True:
            daten = von.recv(65536)
            if not daten:
                break
            nach.sendall(daten)
    except OSError:
        pass
    for s in (von, nach):
        try:
            s.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass


def bedienen(kunde, kontext, ziel_port):
    try:
        kunde = kontext.wrap_socket(kunde, server_side=True)
        ziel = socket.create_connection(("127.0.0.1", ziel_port), timeout=10)
        ziel.settimeout(None)
    except (OSError, ssl.SSLError):
        kunde.close()
        return
    zurueck = threading.Thread(target=weiterleiten, args=(ziel, kunde), daemon=True)
    zurueck.start()
    weiterleiten(kunde, ziel)
    zurueck.join()
    ziel.close()
    kunde.close()


def main():
    kontext = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    kontext.load_cert_chain(sys.argv[1])
    server = socket.socket()
    server.bind(("127.0.0.1", 0))
    server.listen(16)
    print("PORT %d" % server.getsockname()[1], flush=True)
    while True:
        kunde, _ = server.accept()
        kunde.settimeout(30)
        threading.Thread(target=bedienen, args=(kunde, kontext, int(sys.argv[2])), daemon=True).start()


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/python3
"""bildhost attacked as from the open internet, on loopback only.

Every part is bounded in bytes and time and stops by itself within seconds.
Usage: angriff.py PATH-TO-BILDHOST. Prints one "ok:" line per attack with
what was seen, and the measured numbers; exits 1 on the first failure.
"""
import os
import re
import select
import shutil
import socket
import stat
import subprocess
import sys
import tempfile
import time
import zlib

BILDHOST = sys.argv[1]
MB = 1000 * 1000
GRENZE = b"AaB03x"
TMP = tempfile.mkdtemp(prefix="bildhost-angriff-")
PROZESSE = []


def fail(text):
    print("FAIL: " + text, flush=True)
    sys.exit(1)


def ok(text):
    print("ok: " + text, flush=True)


class Bildhost:
    def __init__(self, name, *argumente):
        self.ordner = os.path.join(TMP, name)
        self.log = os.path.join(TMP, name + ".log")
        with open(self.log, "wb") as ausgabe:
            self.prozess = subprocess.Popen(
                [BILDHOST, "--address", "127.0.0.1", "--port", "0", "--storage", self.ordner, *argumente],
                stdout=ausgabe, stderr=subprocess.STDOUT)
        PROZESSE.append(self.prozess)
        frist = time.monotonic() + 30
        while time.monotonic() < frist:
            treffer = re.search(rb"^bildhost: http://127\.0\.0\.1:(\d+)/", self.protokoll(), re.M)
            if treffer:
                self.port = int(treffer.group(1))
                return
            if self.prozess.poll() is not None:
                break
            time.sleep(0.05)
        fail(f"bildhost {name} did not start: {self.protokoll()!r}")

    def protokoll(self):
        with open(self.log, "rb") as datei:
            return datei.read()

    def spitzenspeicher_kib(self):
        with open(f"/proc/{self.prozess.pid}/status") as status:
            return int(re.search(r"^VmHWM:\s+(\d+) kB", status.read(), re.M).group(1))

    def verbinden(self, von="127.0.0.1"):
        s = socket.socket()
        s.settimeout(5)
        s.bind((von, 0))
        s.connect(("127.0.0.1", self.port))
        return s

    def warte_auf_protokoll(self, zeile):
        frist = time.monotonic() + 30
        while time.monotonic() < frist:
            if zeile in self.protokoll().split(b"\n"):
                return
            time.sleep(0.05)
        fail(f"{zeile!r} never appeared in the log")

    def marke(self, name):
        """A request of its own whose log line shows that everything sent before was handled."""
        antwort, _ = anfrage(self.verbinden(), b"GET /" + name + b" HTTP/1.0\r\n\r\n")
        self.warte_auf_protokoll(b"GET /" + name + b" 404")


def antwort_lesen(s, frist=10):
    """Reads until the server closes; returns the bytes and whether it closed (EOF or reset)."""
    daten = b""
    ende = time.monotonic() + frist
    while time.monotonic() < ende:
        try:
            s.settimeout(max(0.1, ende - time.monotonic()))
            stueck = s.recv(65536)
        except ConnectionResetError:
            return daten, True
        except socket.timeout:
            break
        if not stueck:
            return daten, True
        daten += stueck
    return daten, False


def anfrage(s, daten):
    s.sendall(daten)
    antwort = antwort_lesen(s)
    s.close()
    return antwort


def status(antwort):
    treffer = re.match(rb"HTTP/1\.[01] (\d{3}) ", antwort)
    return int(treffer.group(1)) if treffer else 0


def formular(inhalt, name=b"bild.jpg"):
    return (b"--" + GRENZE + b"\r\nContent-Disposition: form-data; name=\"fileupload\"; filename=\"" + name
            + b"\"\r\nContent-Type: image/jpeg\r\n\r\n" + inhalt + b"\r\n--" + GRENZE + b"--")


def hochladen(host, inhalt, von="127.0.0.1"):
    koerper = formular(inhalt)
    antwort, _ = anfrage(host.verbinden(von),
                         b"POST / HTTP/1.0\r\nContent-Type: multipart/form-data, boundary=" + GRENZE
                         + b"\r\nContent-Length: " + str(len(koerper)).encode() + b"\r\n\r\n" + koerper)
    return antwort


def fluten(s, kopf, stueck, hoechstens):
    """Sends the head, then the piece again and again until the server answers
    or closes, or hoechstens bytes went out. Returns (bytes sent, reply, closed)."""
    s.sendall(kopf)
    gesendet = 0
    while gesendet < hoechstens:
        lesbar, _, _ = select.select([s], [], [], 0)
        if lesbar:
            break
        try:
            s.sendall(stueck)
        except (BrokenPipeError, ConnectionResetError, socket.timeout):
            break
        gesendet += len(stueck)
    antwort, geschlossen = antwort_lesen(s)
    s.close()
    return gesendet, antwort, geschlossen


def abgewiesen(was, antwort, geschlossen, erwartet):
    """The reply must carry the expected status, or the connection must have been closed without one."""
    if antwort and status(antwort) != erwartet:
        fail(f"{was}: status {status(antwort)} instead of {erwartet}: {antwort[:200]!r}")
    if not geschlossen:
        fail(f"{was}: the connection stayed open after the refusal")
    return f"{status(antwort)} and closed" if antwort else "closed without a reply"


JPEG = b"\xff\xd8\xff\xe0" + os.urandom(6000)
FORMKOPF = b"Content-Type: multipart/form-data; boundary=" + GRENZE + b"\r\n"

try:
    # Time-outs far off, so that the slow connections below stay open on a busy machine;
    # the deadlines are tested on their own further down.
    a = Bildhost("a", "--max-connections-per-ip", "600", "--idle-timeout", "300", "--request-timeout", "600")

    # A chunked body has no announced size; the limit must hold while it comes in.
    gesendet, antwort, zu = fluten(
        a.verbinden(), b"POST / HTTP/1.1\r\nHost: a\r\n" + FORMKOPF + b"Transfer-Encoding: chunked\r\n\r\n",
        b"10000\r\n" + b"x" * 0x10000 + b"\r\n", 1000 * MB)
    ergebnis = abgewiesen("chunked 1000 MB", antwort, zu, 413)
    if gesendet > 64 * MB:
        fail(f"chunked body: {gesendet} bytes were taken before the refusal")
    ok(f"chunked POST of up to 1000 MB: {ergebnis} after {gesendet / MB:.1f} MB")

    gesendet, antwort, zu = fluten(a.verbinden(), b"POST / HTTP/1.1\r\nHost: a\r\n" + FORMKOPF + b"\r\n",
                                   b"x" * 65536, 300 * MB)
    ergebnis = abgewiesen("POST without length", antwort, zu, 411)
    if gesendet > 64 * MB:
        fail(f"POST without length: {gesendet} bytes were sent before the refusal")
    ok(f"POST of up to 300 MB without Content-Length: {ergebnis} after {gesendet / MB:.1f} MB")

    packer = zlib.compressobj(9, zlib.DEFLATED, 31)
    bombe = b"".join(packer.compress(bytes(MB)) for _ in range(300)) + packer.flush()
    antwort, zu = anfrage(a.verbinden(), b"POST / HTTP/1.1\r\nHost: a\r\n" + FORMKOPF + b"Content-Encoding: gzip\r\n"
                          b"Content-Length: " + str(len(bombe)).encode() + b"\r\n\r\n" + bombe)
    ok(f"gzip body of {len(bombe)} bytes (300 MB unpacked): {abgewiesen('gzip body', antwort, zu, 415)}")

    gesendet, antwort, zu = fluten(a.verbinden(), b"GET / HTTP/1.1\r\nHost: a\r\n",
                                   b"X-Fuell: " + b"a" * 1000 + b"\r\n", 762 * MB)
    ergebnis = abgewiesen("endless headers", antwort, zu, 431)
    if gesendet > 64 * MB:
        fail(f"endless headers: {gesendet} bytes were sent before the refusal")
    ok(f"up to 762 MB of headers: {ergebnis} after {gesendet / 1000:.0f} kB")
    for kopfbytes, erwartet in ((15 * 1024, 404), (17 * 1024, 431)):
        zeilen = b"".join(b"X-%d: %s\r\n" % (i, b"b" * 90) for i in range(kopfbytes // 100))
        antwort, _ = anfrage(a.verbinden(), b"GET /nichts HTTP/1.0\r\n" + zeilen + b"\r\n")
        if status(antwort) != erwartet:
            fail(f"{len(zeilen)} bytes of headers: status {status(antwort)}, not {erwartet}")
    ok("15 KiB of headers are taken, 17 KiB get 431")

    antwort = hochladen(a, JPEG)
    name = re.search(rb"/([0-9a-f]{32}\.jpg)\[/img\]", antwort)
    if status(antwort) != 200 or not name:
        fail(f"a normal upload failed: {antwort[:300]!r}")
    name = name.group(1)
    antwort, _ = anfrage(a.verbinden(), b"GET /" + name + b" HTTP/1.1\r\nHost: a\r\nConnection: close\r\nRange: bytes="
                         + b",".join([b"0-"] * 2000) + b"\r\n\r\n")
    kopf, _, koerper = antwort.partition(b"\r\n\r\n")
    if status(antwort) != 200 or koerper != JPEG or b"nosniff" not in kopf:
        fail(f"2000 ranges: status {status(antwort)}, {len(antwort)} bytes: {kopf!r}")
    ok(f"GET with 2000 ranges: 200 with the picture once, {len(antwort)} bytes")

    # Refused requests carrying another one behind them: it must never run.
    for was, daten, erwartet in (
            ("announced too large", b"POST / HTTP/1.1\r\nHost: a\r\n" + FORMKOPF + b"Content-Length: 10000000\r\n\r\n"
             b"GET /smuggled2 HTTP/1.1\r\nHost: a\r\n\r\n", 413),
            ("packed", b"POST / HTTP/1.1\r\nHost: a\r\n" + FORMKOPF + b"Content-Encoding: gzip\r\n"
             b"Content-Length: 36\r\n\r\nGET /smuggled3 HTTP/1.1\r\nHost: a\r\n\r\n", 415),
            ("not a form", b"POST / HTTP/1.1\r\nHost: a\r\n" + FORMKOPF + b"Content-Length: 10\r\n\r\n0123456789"
             b"GET /smuggled4 HTTP/1.1\r\nHost: a\r\n\r\n", 400),
            ("length and chunks", b"POST / HTTP/1.1\r\nHost: a\r\n" + FORMKOPF + b"Content-Length: 40\r\n"
             b"Transfer-Encoding: chunked\r\n\r\n0\r\n\r\nGET /smuggled5 HTTP/1.1\r\nHost: a\r\n\r\n", 400),
            ("other transfer coding", b"POST / HTTP/1.1\r\nHost: a\r\n" + FORMKOPF + b"Transfer-Encoding: gzip, chunked"
             b"\r\n\r\n0\r\n\r\nGET /smuggled6 HTTP/1.1\r\nHost: a\r\n\r\n", 501)):
        antwort, zu = anfrage(a.verbinden(), daten)
        abgewiesen(was, antwort, zu, erwartet)
        if antwort.count(b"HTTP/1.") != 1:
            fail(f"{was}: more than one reply: {antwort!r}")
    a.marke(b"nach-dem-schmuggel")
    if b"smuggled" in a.protokoll():
        fail("a request behind a refused one ran: " + a.protokoll().decode(errors="replace"))
    ok("after 413, 415, 400 and 501 the connection closes and the request behind the refused one never runs")

    vorher = len(a.protokoll().split(b"\n"))
    antwort, _ = anfrage(a.verbinden(), b"GET /x%0aPOST%20/%20200%0a%1b[31mRED HTTP/1.0\r\n\r\n")
    if status(antwort) != 404:
        fail(f"forged log line: status {status(antwort)}")
    anfrage(a.verbinden(), b"GET /roh\x1b[31m\x7f HTTP/1.0\r\n\r\n")
    a.marke(b"nach-der-faelschung")
    neu = a.protokoll().split(b"\n")[vorher - 1:-1]
    if any(re.search(rb"[\x00-\x1f\x7f]", zeile) for zeile in a.protokoll().split(b"\n")):
        fail(f"raw control characters in the log: {neu!r}")
    if neu[0] != b"GET /x\\x0aPOST\\x20/\\x20200\\x0a\\x1b[31mRED 404":
        fail(f"forged request logged as {neu!r}")
    ok(f"a request line with LF and ESC is one log line: {neu[0].decode()}")

    # Slow clients hold no thread: while they trickle, others are served.
    langsame = []
    for _ in range(8):
        s = a.verbinden()
        s.sendall(b"P")
        langsame.append(s)
    if status(hochladen(a, JPEG)) != 200:
        fail("an upload failed while 8 slow clients were connected")
    ok("8 clients each trickling a byte: a normal upload is served meanwhile")
    for _ in range(492):
        s = a.verbinden()
        s.sendall(b"POST / HTTP/1.1\r\nContent-Len")
        langsame.append(s)
    beginn = time.monotonic()
    antwort = hochladen(a, JPEG, von="127.0.0.2")
    dauer = time.monotonic() - beginn
    if status(antwort) != 200:
        fail(f"upload from 127.0.0.2 beside 500 slow connections: {antwort[:200]!r}")
    offen = sum(1 for s in langsame if not select.select([s], [], [], 0)[0])
    if offen != 500:
        fail(f"only {offen} of the 500 slow connections were still open")
    ok(f"500 slow connections from 127.0.0.1 open: upload from 127.0.0.2 done in {dauer * 1000:.0f} ms")
    print(f"MEASURE slow_connections_upload_ms={dauer * 1000:.1f}")
    for s in langsame:
        s.close()

    spitze = a.spitzenspeicher_kib()
    if spitze >= 64 * 1024:
        fail(f"peak RSS {spitze} KiB")
    ok(f"peak RSS of bildhost over all of the above: {spitze} KiB")
    print(f"MEASURE peak_rss_kib={spitze}")

    # The defaults: 16 connections per client address; and the deadlines.
    b = Bildhost("b", "--request-timeout", "2", "--idle-timeout", "5")
    sechzehn = [b.verbinden("127.0.0.3") for _ in range(16)]
    for s in sechzehn:
        s.sendall(b"G")
    zuviel = b.verbinden("127.0.0.3")
    antwort, zu = antwort_lesen(zuviel)
    if antwort or not zu:
        fail(f"the 17th connection from one address was not closed: {antwort!r}")
    if status(hochladen(b, JPEG, von="127.0.0.4")) != 200:
        fail("another address was refused while one address had its 16 connections")
    ok("the 17th connection from one address is closed; another address is served")
    beginn = time.monotonic()
    for s in sechzehn:
        if not antwort_lesen(s, frist=10)[1]:
            fail("a connection that never completed its request was not closed")
    troepfler = b.verbinden()
    troepfler.sendall(b"POST / HTTP/1.1\r\nHost: b\r\n")
    ende = time.monotonic() + 10
    geschlossen = False
    while time.monotonic() < ende and not geschlossen:
        try:
            troepfler.sendall(b"X")
        except (BrokenPipeError, ConnectionResetError):
            geschlossen = True
        geschlossen = geschlossen or bool(select.select([troepfler], [], [], 0.2)[0])
    if not geschlossen:
        fail("a client sending a byte every 0.2 s kept its request open past the request time-out")
    ok("incomplete requests are closed after --request-timeout, also while bytes keep trickling in")

    # Disk full, on a small tmpfs where this machine lets the test mount one:
    # the upload that does not fit gets 500 and leaves nothing behind.
    voll = os.path.join(TMP, "c")
    os.mkdir(voll)
    if subprocess.run(["mount", "-t", "tmpfs", "-o", "size=256k", "tmpfs", voll], capture_output=True).returncode:
        print("skip: disk full (no tmpfs can be mounted here)")
    else:
        try:
            c = Bildhost("c")
            bild = b"\xff\xd8\xff\xe0" + os.urandom(100000)
            stati = [status(hochladen(c, bild)) for _ in range(4)]
            if stati[0] != 200 or stati[-1] != 500 or set(stati) != {200, 500}:
                fail(f"uploads into a full folder: {stati}")
            dateien = os.listdir(voll)
            # Beside each picture only the hash of its deletion key, ".NAME.schluessel"; no drafts.
            bilder = [d for d in dateien if not d.startswith(".")]
            if (len(bilder) != stati.count(200) or any(open(os.path.join(voll, d), "rb").read() != bild
                                                      for d in bilder)
                    or any(not (d.endswith(".schluessel") and d[1:-len(".schluessel")] in bilder)
                           for d in dateien if d.startswith("."))):
                fail(f"after disk full the folder holds {dateien}")
            ok(f"disk full: uploads {stati}, only whole pictures left in the folder")
        finally:
            subprocess.run(["umount", "--lazy", voll])

    # Odd files under pictures' names in the folder: opening a FIFO would stop the
    # only thread for good, SIGTERM included, and a device is never read.
    f = Bildhost("f")
    bild = re.search(rb"/([0-9a-f]{32}\.jpg)\[/img\]", hochladen(f, JPEG)).group(1)
    fremde = [b"0" * 32 + b".jpg"]
    os.mkfifo(os.path.join(f.ordner, fremde[0].decode()))
    try:
        os.mknod(os.path.join(f.ordner, "1" * 32 + ".png"), 0o666 | stat.S_IFCHR, os.makedev(1, 5))
        fremde.append(b"1" * 32 + b".png")
    except PermissionError:
        print("skip: device node (none can be made here)")
    for name in fremde:
        antwort, _ = anfrage(f.verbinden(), b"GET /" + name + b" HTTP/1.1\r\nHost: f\r\n\r\n")
        if status(antwort) != 404:
            fail(f"GET of {name!r}: {antwort[:200]!r}")
    antwort, _ = anfrage(f.verbinden(), b"GET /" + bild + b" HTTP/1.0\r\n\r\n")
    if status(antwort) != 200 or not antwort.endswith(JPEG):
        fail(f"the picture beside the FIFO: {antwort[:200]!r}")
    beginn = time.monotonic()
    f.prozess.terminate()
    try:
        f.prozess.wait(timeout=10)
    except subprocess.TimeoutExpired:
        fail("bildhost did not end on SIGTERM after a FIFO was asked for")
    ok(f"FIFO and device in the folder: 404, the picture beside them served, "
       f"SIGTERM ended it in {(time.monotonic() - beginn) * 1000:.0f} ms")

    # Faults at start: one line naming what is wrong, exit 1; a bad option value: exit 2.
    def starten(*argumente, als_nobody=False):
        vorsatz = ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"] if als_nobody else []
        lauf = subprocess.run(vorsatz + [BILDHOST, "--address", "127.0.0.1", *argumente],
                              capture_output=True, timeout=10)
        return lauf.returncode, lauf.stderr.decode()

    for argumente in (["--max-size", "18446744073709551615"], ["--max-size", "0"], ["--max-size", "100000001"],
                      ["--max-connections", "0"], ["--request-timeout", "99999"], ["--port", "-1"],
                      ["--trusted-proxy", "proxy.test"], ["--trusted-proxy", "127.0.0.1:8080"],
                      *(["--public-url", url] for url in ("http://b.test/[/img]", "http://b.test/#",
                                                         "http://b.test/?", "http://b.test/\u202e/", "http://"))):
        code, fehler = starten("--port", "0", "--storage", TMP, *argumente)
        if code != 2 or argumente[0] not in fehler:
            fail(f"{argumente}: exit {code}, {fehler!r}")
    ok("option values out of range: exit 2 naming the option")
    datei = os.path.join(TMP, "eine-datei")
    open(datei, "w").close()
    belegt = socket.socket()
    belegt.bind(("127.0.0.1", 0))
    belegt.listen()
    faelle = [(["--port", "0", "--storage", datei + "/bilder"], datei), (["--port", "0", "--storage", datei], datei),
              (["--port", str(belegt.getsockname()[1]), "--storage", TMP], str(belegt.getsockname()[1]))]
    # Run as root a permission test proves nothing; as nobody, when nobody may run the program here.
    if os.getuid() == 0 and starten("--help", als_nobody=True)[0] != 0:
        print("skip: storage out of reach (nobody may not run bildhost from this folder)")
    elif os.getuid() == 0:
        verschlossen = os.path.join(TMP, "verschlossen")
        os.mkdir(verschlossen, 0o700)
        os.mkdir(os.path.join(verschlossen, "bilder"))
        faelle.append((["--port", "0", "--storage", os.path.join(verschlossen, "bilder")], "verschlossen"))
    for argumente, genannt in faelle:
        code, fehler = starten(*argumente, als_nobody=genannt == "verschlossen")
        if code != 1 or genannt not in fehler or fehler.count("\n") != 1:
            fail(f"{argumente}: exit {code}, {fehler!r}")
    belegt.close()
    ok("storage not a folder, not reachable (as nobody), port taken: one line and exit 1")
finally:
    for prozess in PROZESSE:
        prozess.kill()
        prozess.wait()
    shutil.rmtree(TMP, ignore_errors=True)

#!/usr/bin/env bash
# The Debian package as a user gets it: built from this build folder, unpacked into a
# private root, and started from there - on the command line and through its desktop
# entry, as a file manager's "Öffnen mit" does. The desktop files pass their validators,
# and the MIME database built from them names the program for JPEG pictures.
. "$(dirname "$0")/lib.sh"
: "${BUILD_DIR:?BUILD_DIR must name the build folder}"

cpack -G DEB --config "$BUILD_DIR/CPackConfig.cmake" -B "$E2E_TMP/paket" >"$E2E_TMP/cpack.log" 2>&1 ||
    fail "cpack failed: $(tail -n 20 "$E2E_TMP/cpack.log")"
debs=("$E2E_TMP"/paket/fotoschicker_*_amd64.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one fotoschicker_*_amd64.deb, found: ${debs[*]}"
deb=${debs[0]}

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./||' >"$E2E_TMP/inhalt"
for datei in usr/bin/fotoschicker usr/bin/fotoschicker-zwischenablage usr/bin/fotoschicker-benachrichtigung \
    usr/bin/bildhost \
    usr/lib/systemd/system/bildhost.service usr/share/applications/fotoschicker.desktop \
    usr/share/metainfo/de.morva.fotoschicker.metainfo.xml usr/share/icons/hicolor/scalable/apps/fotoschicker.svg \
    usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/fotoschicker.png \
    usr/share/man/{,de/}man1/{fotoschicker,fotoschicker-zwischenablage,fotoschicker-benachrichtigung,bildhost}.1.gz \
    usr/share/doc/fotoschicker/copyright usr/share/doc/fotoschicker/changelog.gz \
    usr/share/doc/fotoschicker/examples/bildhost-nginx.conf; do
    grep -qx "$datei" "$E2E_TMP/inhalt" || fail "the package lacks /$datei"
done
grep -v -e '^usr/' -e '^$' "$E2E_TMP/inhalt" && fail "files outside /usr"
# The test-only builds of the program stay out.
programme=$(grep '^usr/bin/.' "$E2E_TMP/inhalt" | sort | tr '\n' ' ')
[ "$programme" = "usr/bin/bildhost usr/bin/fotoschicker usr/bin/fotoschicker-benachrichtigung usr/bin/fotoschicker-zwischenablage " ] ||
    fail "programs in the package: $programme"
abhaengig=$(dpkg-deb -f "$deb" Depends)
for bibliothek in libqt6widgets6 libcurl4 libxcb1; do
    [[ "$abhaengig" == *"$bibliothek"* ]] || fail "Depends lacks $bibliothek: $abhaengig"
done
[[ "$(dpkg-deb -f "$deb" Recommends)" == *wl-clipboard* ]] || fail "wl-clipboard is not recommended"
pass "the package holds the programs, unit, desktop files, icons, manuals, changelog, copyright and nginx example under /usr"

wurzel=$E2E_TMP/wurzel
dpkg -x "$deb" "$wurzel"
programm=$wurzel/usr/bin/fotoschicker

# No screen needed, and the settings stay untouched.
version=$(env -u DISPLAY "$programm" --version)
[[ "$version" =~ ^fotoschicker\ 1\.1\.[0-9]+$ ]] || fail "--version printed [$version]"
nummer=${version#fotoschicker }
[ "$(dpkg-deb -f "$deb" Version)" = "$nummer" ] || fail "package version $(dpkg-deb -f "$deb" Version), program $nummer"
changelog=$(zcat "$wurzel/usr/share/doc/fotoschicker/changelog.gz" | dpkg-parsechangelog -l - -S Version)
[ "$changelog" = "$nummer" ] || fail "the changelog's newest entry is $changelog, the program $nummer"
grep -q "<release version=\"$nummer\"" "$wurzel/usr/share/metainfo/de.morva.fotoschicker.metainfo.xml" ||
    fail "the metainfo names no release $nummer"
hilfe=$(env -u DISPLAY "$programm" --help)
[[ "$hilfe" == "Folgende Programmaufrufe sind möglich:"* && "$hilfe" == *"Rückgabewerte:"* ]] ||
    fail "--help printed [$hilfe]"
[ -z "$(ls -A "$XDG_CONFIG_HOME")" ] || fail "--help or --version touched the settings store"
pass "$version without a screen, the same version in package, changelog and metainfo; --help"

desktop=$wurzel/usr/share/applications/fotoschicker.desktop
# Hints too: with one main category a menu lists the program once.
ausgabe=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $ausgabe"
[ -z "$ausgabe" ] || fail "desktop-file-validate: $ausgabe"
ausgabe=$(appstreamcli validate --no-net "$wurzel/usr/share/metainfo/de.morva.fotoschicker.metainfo.xml" 2>&1) ||
    fail "appstreamcli validate: $ausgabe"
for seite in "$wurzel"/usr/share/man/{,de/}man1/*.1.gz; do
    text=$(zcat "$seite")
    if [[ "$text" == .so\ * ]]; then
        ziel=$(dirname "$(dirname "$seite")")/${text#.so }.gz
        [ -f "$ziel" ] || fail "$seite includes ${text#.so }, which is not in the package"
        continue
    fi
    ausgabe=$(groff -ww -z -man <<<"$text" 2>&1)
    [ -z "$ausgabe" ] || fail "groff warns about $seite: $ausgabe"
done
pass "desktop entry, metainfo and manual pages pass their checks"

# The MIME database of the unpacked root alone, without any desktop's own lookup.
update-desktop-database "$wurzel/usr/share/applications"
mkdir -p "$E2E_TMP/daten"
standard=$(env -i PATH="$PATH" HOME="$E2E_TMP" XDG_CONFIG_HOME="$XDG_CONFIG_HOME" XDG_CONFIG_DIRS="$E2E_TMP/leer" \
    XDG_DATA_HOME="$E2E_TMP/daten" XDG_DATA_DIRS="$wurzel/usr/share" xdg-mime query default image/jpeg)
[ "$standard" = fotoschicker.desktop ] || fail "xdg-mime names [$standard] for image/jpeg"
pass "xdg-mime names fotoschicker.desktop for image/jpeg"

# A picture opened through the desktop entry's own Exec line, as "Öffnen mit" does.
start_xvfb
start_ftp anna geheim "$E2E_TMP/ftp"
mkdir -p "$E2E_TMP/ftp/www" "$E2E_TMP/bilder"
URL=http://bilder.example/anna/
store FTPServer="127.0.0.1:$FTP_PORT" FTPLogin=anna FTPPassword=geheim FTPPath=www/ FTPPassiv=Wahr \
    FTPUseProxy=Falsch URL=$URL LinkOption=2 StatusfensterZeigen=Wahr useIS=Falsch
bild="$E2E_TMP/bilder/Grüße aus Köln.jpg"
convert -size 320x240 xc:orange "$bild"

# Our programs of this root and their end, found by the private runtime folder.
unsere_laufen() {
    local pid
    for pid in $(pgrep -x fotoschicker || true); do
        grep -q ') Z ' "/proc/$pid/stat" 2>/dev/null && continue
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR" && return 0
    done
    return 1
}

# How the name is written into the address is the link's own business (tests/links): here
# it may stand as it is or percent-encoded; what counts is that the run got through to the end.
kodiert=$(/usr/bin/python3 -c 'import sys, urllib.parse; print(urllib.parse.quote(sys.argv[1], safe=""))' "Grüße aus Köln.jpg")
snippet_fuer() { echo "<img border=\"0\" src=\"${URL}$1\" alt=\"\" width=\"320\" height=\"240\">"; }

PATH="$wurzel/usr/bin:$PATH" XDG_DATA_DIRS="$wurzel/usr/share" gio launch "$desktop" "$bild" >"$E2E_TMP/gio.log" 2>&1 ||
    fail "gio launch failed: $(cat "$E2E_TMP/gio.log")"
# gio does not wait for the program: wait for the snippet, then for the program's end.
snippet_da() { [ "$(clipboard)" = "$(snippet_fuer "Grüße aus Köln.jpg")" ] || [ "$(clipboard)" = "$(snippet_fuer "$kodiert")" ]; }
beendet() { ! unsere_laufen; }
wait_for snippet_da || fail "clipboard after the run: [$(clipboard)]"
wait_for beendet || fail "the program started through the desktop entry did not end"
cmp -s "$bild" "$E2E_TMP/ftp/www/Grüße aus Köln.jpg" || fail "the picture did not arrive on the FTP server"
pass "opened through the desktop entry: the picture is on the server and its snippet in the clipboard"

# A picture that happens to be called --version is a picture.
cd "$E2E_TMP/bilder"
cp "$bild" ./--version
ausgabe=$(timeout 30 "$programm" --version) || fail "the picture --version: status $?"
[ "$ausgabe" = "${URL}--version" ] || fail "the picture --version printed [$ausgabe]"
cmp -s ./--version "$E2E_TMP/ftp/www/--version" || fail "the picture --version did not arrive"
pass "a file named --version in the working folder is uploaded, not answered"

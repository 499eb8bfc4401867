#!/usr/bin/env bash
# bildhost as installed: its systemd unit passes systemd-analyze verify, and its
# man pages (English and German) format without a warning and name every
# option that --help lists.
. "$(dirname "$0")/lib.sh"

prefix=$(dirname "$(dirname "$FOTOSCHICKER")")
unit=$prefix/lib/systemd/system/bildhost.service
[ -f "$unit" ] || fail "$unit is not installed"
grep -q "^ExecStart=$prefix/bin/bildhost " "$unit" || fail "the unit does not start the installed program: $(grep ExecStart "$unit")"

# verify also runs man for the unit's Documentation= and checks that ExecStart can be run.
MANPATH=$prefix/share/man systemd-analyze verify "$unit" >"$E2E_TMP/verify" 2>&1 \
    || fail "systemd-analyze verify: $(cat "$E2E_TMP/verify")"
[ ! -s "$E2E_TMP/verify" ] || fail "systemd-analyze verify warns: $(cat "$E2E_TMP/verify")"
pass "systemd-analyze verify accepts the unit"

"$prefix/bin/bildhost" --help >"$E2E_TMP/hilfe" || fail "bildhost --help ended with a fault"
grep -o -- '--[a-z-]*' "$E2E_TMP/hilfe" | sort -u >"$E2E_TMP/optionen"
[ "$(wc -l <"$E2E_TMP/optionen")" -ge 10 ] || fail "--help lists only: $(cat "$E2E_TMP/optionen")"
for seite in "$prefix/share/man/man1/bildhost.1" "$prefix/share/man/de/man1/bildhost.1"; do
    [ -f "$seite" ] || fail "$seite is not installed"
    warnungen=$(groff -ww -z -man "$seite" 2>&1)
    [ -z "$warnungen" ] || fail "groff warns about $seite: $warnungen"
    while read -r option; do
        grep -q "^\.BI\? ${option//-/\\\\-}\b" "$seite" || fail "$seite does not describe $option"
    done <"$E2E_TMP/optionen"
    # Every default the help names is the one the page names.
    grep -o -- '--[a-z-]* [A-Z]*  *.*(Vorgabe [0-9.]*)' "$E2E_TMP/hilfe" | while read -r option _ rest; do
        vorgabe=$(sed 's/.*(Vorgabe \([0-9.]*\))/\1/' <<<"$rest")
        awk -v o="${option//-/\\\\-}" -v v="$vorgabe" '
            index($0, ".BI " o " ") == 1 { drin = 1; next }
            drin && /^\.TP/ { exit 1 }
            drin && index($0, v ".") { exit 0 }' "$seite" \
            || fail "$seite gives another default than $vorgabe for $option"
    done
done
pass "both man pages format without warnings and describe every option of --help with its default"

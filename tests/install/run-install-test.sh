#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs into a throwaway prefix, validates the menu entry and metainfo,
# and starts the launcher the way the menu would: a first start copies the
# word list for the user, a newer installed list is merged in keeping the
# history, and the installed files are never written.
# Usage: run-install-test.sh BUILD_DIR
set -euo pipefail
build=$(realpath "$1")
scratch=$(mktemp -d)
launched=""
trap '[ -n "$launched" ] && kill "$launched" 2>/dev/null; rm -rf "$scratch"' EXIT
fail() { echo "install: $*" >&2; exit 1; }

prefix="$scratch/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/orvanta-dictionary bin/en-si-import libexec/orvanta-dictionary/orvanta-dictionary \
            share/orvanta-dictionary/en-si.db share/orvanta-dictionary/en-si.tsv \
            share/applications/org.norvelk.OrvantaDictionary.desktop \
            share/metainfo/org.norvelk.OrvantaDictionary.metainfo.xml; do
    [ -e "$prefix/$file" ] || fail "$file was not installed"
done
for size in 16 24 32 48 64 128; do
    [ -e "$prefix/share/icons/hicolor/${size}x${size}/apps/org.norvelk.OrvantaDictionary.png" ] \
        || fail "no ${size}x${size} icon"
done
desktop-file-validate "$prefix/share/applications/org.norvelk.OrvantaDictionary.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/org.norvelk.OrvantaDictionary.metainfo.xml" >/dev/null
grep -qx "Exec=$prefix/bin/orvanta-dictionary" "$prefix/share/applications/org.norvelk.OrvantaDictionary.desktop" \
    || fail "the menu entry does not start the installed launcher"
[ "$(sqlite3 "$prefix/share/orvanta-dictionary/en-si.db" 'select count(*) from history')" = 0 ] \
    || fail "the installed word list carries a history"

export HOME="$scratch/home" XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config" QT_QPA_PLATFORM=offscreen
user="$XDG_DATA_HOME/orvanta-dictionary"
installed_hash() { sha256sum "$prefix/share/orvanta-dictionary/en-si.db" | cut -d' ' -f1; }
before=$(installed_hash)

# Starts the launcher, waits until the program runs in the user's directory,
# and ends it.
launch() {
    "$prefix/bin/orvanta-dictionary" &
    launched=$!
    for _ in $(seq 100); do
        [ "$(readlink "/proc/$launched/cwd" 2>/dev/null)" = "$user" ] \
            && [ "$(readlink "/proc/$launched/exe")" = "$prefix/libexec/orvanta-dictionary/orvanta-dictionary" ] && break
        sleep 0.1
    done
    [ "$(readlink "/proc/$launched/cwd" 2>/dev/null)" = "$user" ] || fail "the program did not start in $user"
    kill "$launched"
    wait "$launched" 2>/dev/null || true
    launched=""
}

launch
[ -f "$user/en-si.db" ] || fail "no copy of the word list for the user"
[ "$(sqlite3 "$user/en-si.db" "select value from dict where key = 'water'")" != "" ] || fail "the user's copy has no words"
sqlite3 "$user/en-si.db" "insert into history(word) values('water')"

# An update of the installed list reaches the user's copy; the history stays.
printf 'zebra\tසීබ්‍රා\n' >> "$prefix/share/orvanta-dictionary/en-si.tsv"
touch -d '+1 minute' "$prefix/share/orvanta-dictionary/en-si.tsv"
launch
[ "$(sqlite3 "$user/en-si.db" "select value from dict where key = 'zebra'")" = "සීබ්‍රා" ] || fail "the update was not merged"
[ "$(sqlite3 "$user/en-si.db" 'select word from history')" = "water" ] || fail "the history was lost"
[ "$(installed_hash)" = "$before" ] || fail "the installed word list was written"
echo "install: 1 passed, 0 failed"

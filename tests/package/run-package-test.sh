#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package and installs it on this machine with apt-get,
# starts the installed launcher under Xvfb with a throwaway home, lets it look
# up the clipboard, then purges the package: nothing of it may stay under
# /usr, and the user's copy of the word list must stay as it was.
# Installing needs root, as CI has on its disposable machine; without root
# the test is skipped.
# Usage: run-package-test.sh PACKAGE_BUILD_DIR
# The settings store's names come from the build, as the program has them:
# ORVANTA_SETTINGS_ORGANISATION and ORVANTA_SETTINGS_APPLICATION.
set -euo pipefail
source "$(dirname "$0")/../e2e/session.sh"
package=orvanta-dictionary
fail() { echo "package: $*" >&2; exit 1; }

if [ "${1:-}" = "--inside" ]; then
    # Under Xvfb, with HOME and XDG_CONFIG_HOME already pointing at the
    # throwaway home: start the launcher as the menu would, close the window.
    trap 'kill $(jobs -p) 2>/dev/null || true' EXIT
    openbox >/dev/null 2>&1 &
    sleep 1
    printf 'Water' | xclip -selection clipboard
    /usr/bin/orvanta-dictionary &
    pid=$!
    wait_until 100 window_where '/Orvanta Dictionary/' >/dev/null || fail "the window never appeared"
    sleep 1
    wmctrl -c "Orvanta Dictionary"
    wait_until 100 ended "$pid" || fail "the program did not exit after its window was closed"
    status=0
    wait "$pid" || status=$?
    [ "$status" -eq 0 ] || fail "exit status $status"
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "package: skipped: installing the package with apt-get needs root (CI runs this test as root)"
    exit 77
fi
for tool in xvfb-run openbox wmctrl xclip sqlite3 apt-get dpkg-deb; do
    command -v "$tool" >/dev/null || fail "$tool is missing"
done
build=$(realpath -m "$1")
source=$(realpath "$(dirname "$0")/../..")
dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
    && fail "$package is installed already; this test would remove it (apt-get purge $package first)"

scratch=$(mktemp -d)
installed=""
trap '[ -n "$installed" ] && apt-get purge -y "$package" >/dev/null 2>&1; rm -rf "$scratch"' EXIT

"$source/scripts/package.sh" "$build" >"$scratch/package.log" 2>&1 || { cat "$scratch/package.log" >&2; fail "building the package failed"; }
deb=$(ls "$build"/${package}_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for dependency in "fonts-noto-core | fonts-lklug-sinhala" libqt6sql6-sqlite libqt6widgets6 libhunspell \
    "hunspell-en-us | hunspell-en-gb"; do
    [[ "$depends" == *"$dependency"* ]] || fail "Depends lacks $dependency: $depends"
done

# What the package holds, and which of those paths were there before it
# (shared directories such as /usr/bin).
dpkg-deb --fsys-tarfile "$deb" | tar -t | sed -e 's|^\./|/|' -e 's|/$||' | grep '^/usr' > "$scratch/files"
while read -r path; do
    [ -e "$path" ] && echo "$path"
done < "$scratch/files" > "$scratch/there-before" || true
for path in /usr/bin/orvanta-dictionary /usr/bin/en-si-import /usr/libexec/orvanta-dictionary/orvanta-dictionary \
            /usr/share/orvanta-dictionary/en-si.db /usr/share/orvanta-dictionary/en-si.tsv \
            /usr/share/applications/org.norvelk.OrvantaDictionary.desktop \
            /usr/share/metainfo/org.norvelk.OrvantaDictionary.metainfo.xml \
            /usr/share/icons/hicolor/{16x16,24x24,32x32,48x48,64x64,128x128}/apps/org.norvelk.OrvantaDictionary.png \
            /usr/share/man/man1/orvanta-dictionary.1.gz /usr/share/man/man1/en-si-import.1.gz \
            /usr/share/doc/orvanta-dictionary/copyright /usr/share/doc/orvanta-dictionary/changelog.gz; do
    grep -qxF "$path" "$scratch/files" || fail "the package lacks $path"
done

installed=yes
DEBIAN_FRONTEND=noninteractive apt-get install -y "$deb" >"$scratch/apt.log" 2>&1 \
    || { cat "$scratch/apt.log" >&2; fail "apt-get install failed"; }
while read -r path; do
    [ -e "$path" ] || fail "$path was not installed"
done < "$scratch/files"

export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config"
unset XDG_DATA_HOME QT_QPA_PLATFORM
settings="$XDG_CONFIG_HOME/${ORVANTA_SETTINGS_ORGANISATION:?}/${ORVANTA_SETTINGS_APPLICATION:?}.conf"
mkdir -p "$(dirname "$settings")"
printf '[General]\nstartup=false\n' > "$settings"
xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inside

copy="$HOME/.local/share/orvanta-dictionary/en-si.db"
[ -f "$copy" ] || fail "no copy of the word list in the user's home"
history=$(sqlite3 "$copy" 'select word from history order by id')
[ "$history" = "water" ] || fail "the user's history is '$history', expected 'water'"
[ "$(sqlite3 /usr/share/orvanta-dictionary/en-si.db 'select count(*) from history')" = 0 ] \
    || fail "the installed word list was written"
before=$(sha256sum "$copy")

DEBIAN_FRONTEND=noninteractive apt-get purge -y "$package" >"$scratch/apt.log" 2>&1 \
    || { cat "$scratch/apt.log" >&2; fail "apt-get purge failed"; }
installed=""
status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
[ -z "$status" ] || [ "$status" = not-installed ] || fail "$package is still known to dpkg as $status"
left=$(while read -r path; do
    { [ -e "$path" ] || [ -L "$path" ]; } && ! grep -qxF "$path" "$scratch/there-before" && echo "$path"
done < "$scratch/files" || true)
[ -z "$left" ] || fail "left behind after purge: $left"
[ "$(sha256sum "$copy")" = "$before" ] || fail "the user's copy changed when the package was purged"
echo "package: 1 passed, 0 failed"

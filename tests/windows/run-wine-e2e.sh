#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Windows installer as a user meets it, under Wine in a throwaway
# prefix and Xvfb: a silent install; the program started as the Start-menu
# entry starts it, with "Water" on the clipboard and the history not shown
# at start, recording `water` in the user's copy of the word list; its
# settings read back from the registry; a newer build installed over it,
# keeping the history and an imported word; an uninstall that leaves the
# user's data. Screenshots of the window go into BUILD_DIR/wine-e2e.
# Usage: run-wine-e2e.sh BUILD_DIR HOST_IMPORTER
set -euo pipefail
source "$(dirname "$0")/../e2e/session.sh"
under_xvfb wine-e2e "wine wineserver wmctrl xclip import sqlite3 cpack" "$@"
shift
build=$(realpath "$1")
host_importer=$(realpath "$2")
source_dir=$(realpath "$(dirname "$0")/../..")
output="$build/wine-e2e"
passed=0
fail() { echo "wine e2e: $*" >&2; exit 1; }
pass() { passed=$((passed + 1)); }

start_session /dev/null
export WINEPREFIX="$scratch/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k 2>/dev/null || true; kill $(jobs -p) 2>/dev/null || true; rm -rf "$scratch"' EXIT
mkdir -p "$output"
wineboot --init >/dev/null 2>&1
# Windows 10 and later have a Sinhala font (Nirmala UI); Wine has none.
cp /usr/share/fonts/truetype/noto/NotoSansSinhala-Regular.ttf "$WINEPREFIX/drive_c/windows/Fonts/"

# The installers: this build's, and a newer one whose word list gained a word.
(cd "$build" && cpack >/dev/null)
installer=$(ls "$build"/orvanta-dictionary-*-win64.exe)
cat >"$scratch/newer.cmake" <<END
include("$build/CPackConfig.cmake")
set(CPACK_PACKAGE_DIRECTORY "$scratch/newer")
set(CPACK_PACKAGE_FILE_NAME orvanta-dictionary-newer-win64)
list(APPEND CPACK_PRE_BUILD_SCRIPTS "$source_dir/tests/windows/newer-word-list.cmake")
set(ORVANTA_HOST_IMPORTER "$host_importer")
set(ORVANTA_NEWER_LINE "orvanta	ඕර්වන්ත")
END
(cd "$build" && cpack --config "$scratch/newer.cmake" >/dev/null)
newer="$scratch/newer/orvanta-dictionary-newer-win64.exe"

unix_path() { winepath -u "$(wine cmd /c echo "$1" 2>/dev/null | tr -d '\r')"; }
local_appdata=$(unix_path '%LOCALAPPDATA%')
programs="$local_appdata/Programs/Orvanta Dictionary"
shortcut="$(unix_path '%APPDATA%')/Microsoft/Windows/Start Menu/Programs/Orvanta Dictionary.lnk"
user_db="$local_appdata/orvanta-dictionary/en-si.db"
settings_key='HKCU\Software\'"$ORVANTA_SETTINGS_ORGANISATION"'\'"$ORVANTA_SETTINGS_APPLICATION"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\OrvantaDictionary'

install_build() {
    wine "$1" /S
    wineserver -w
}
user_history() { sqlite3 "$user_db" 'select word from history order by id' | tr '\n' ' '; }
value() { sqlite3 "$user_db" "select value from dict where key = '$1'"; }

# Starts the program through the Start-menu entry with the given text on
# the clipboard, waits for its window and the lookup, saves a screenshot and
# closes the window as a user would.
run_from_start_menu() {
    local clip=$1 screenshot=$2 window
    printf '%s' "$clip" | xclip -selection clipboard
    wine start /unix "$shortcut"
    window=$(wait_until 900 window_where '/Orvanta Dictionary$/') || fail "the window never appeared"
    sleep 2
    import -window "$window" "$screenshot"
    echo "wine e2e: screenshot in $screenshot"
    wmctrl -i -c "$window"
    wait_until 300 no_window_where '/Orvanta Dictionary$/' || fail "the window did not close"
    timeout 60 wineserver -w || fail "the program did not exit"
}

install_build "$installer"
for file in orvanta-launcher.exe orvanta-dictionary.exe en-si-import.exe en-si.db en-si.tsv Uninstall.exe \
            platforms/qwindows.dll sqldrivers/qsqlite.dll styles/qwindowsvistastyle.dll copyright.txt \
            hunspell/en_US.aff hunspell/en_US.dic hunspell/si_LK.aff hunspell/si_LK.dic; do
    [ -e "$programs/$file" ] || fail "$file was not installed"
done
[ -e "$shortcut" ] || fail "no Start-menu entry"
entry=$(wine reg query "$uninstall_key" 2>/dev/null | tr -d '\r')
grep -q "DisplayVersion.*REG_SZ" <<<"$entry" && grep -q "Publisher.*Norvelk" <<<"$entry" \
    || fail "no entry in Apps & features: $entry"
pass

wine reg add "$settings_key" /v startup /t REG_SZ /d false /f >/dev/null 2>&1
run_from_start_menu Water "$output/windows-water.png"
[ "$(user_history)" = "water " ] || fail "history is '$(user_history)', expected 'water'"
settings=$(wine reg query "$settings_key" 2>/dev/null | tr -d '\r')
for key in pos check startup; do
    grep -q "^ *$key " <<<"$settings" || fail "'$key' was not saved: $settings"
done
grep -q "startup *REG_SZ *false" <<<"$settings" || fail "startup option not kept: $settings"
pass

run_from_start_menu Book "$output/windows-book.png"
[ "$(user_history)" = "water book " ] || fail "history is '$(user_history)', expected 'water book'"
pass

# A word of the user's own, imported with the installed importer.
printf 'zebu\tසීබු\n' >"$scratch/mine.tsv"
wine "$programs/en-si-import.exe" "$(winepath -w "$scratch/mine.tsv")" "$(winepath -w "$user_db")" >/dev/null
[ "$(value zebu)" = "සීබු" ] || fail "the imported word is missing"
install_build "$newer"
run_from_start_menu Water "$output/windows-newer.png"
[ "$(value orvanta)" = "ඕර්වන්ත" ] || fail "the newer word list did not reach the user's copy"
[ "$(value zebu)" = "සීබු" ] || fail "the update lost the imported word"
[ "$(user_history)" = "water book water " ] || fail "the update lost the history: '$(user_history)'"
pass

wine "$programs/Uninstall.exe" /S
wineserver -w
for _ in $(seq 100); do
    [ -e "$programs/orvanta-dictionary.exe" ] || break
    sleep 0.1
done
[ ! -e "$programs/orvanta-dictionary.exe" ] || fail "the program is still installed"
[ ! -e "$shortcut" ] || fail "the Start-menu entry is still there"
wine reg query "$uninstall_key" >/dev/null 2>&1 && fail "the Apps & features entry is still there"
[ "$(user_history)" = "water book water " ] || fail "the uninstaller touched the user's word list"
wine reg query "$settings_key" >/dev/null 2>&1 || fail "the uninstaller removed the settings"
pass
echo "wine e2e: $passed passed, 0 failed"

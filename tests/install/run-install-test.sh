#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs into a throwaway prefix whose path holds a space, a quote and a
# dollar sign, validates the menu entry and metainfo, and starts the launcher
# the way the menu would: a first start copies the word list for the user, a
# changed installed list is merged in three ways keeping what the user added,
# two starts at once both get a window, and the installed files are never
# written.
# Usage: run-install-test.sh BUILD_DIR
set -euo pipefail
build=$(realpath "$1")
scratch=$(mktemp -d)
launched=()
mounted=""
trap 'for pid in "${launched[@]}"; do kill "$pid" 2>/dev/null; done
      [ -z "$mounted" ] || umount -l "$mounted"; rm -rf "$scratch"' EXIT
fail() { echo "install: $*" >&2; exit 1; }
passed=0
pass() { passed=$((passed + 1)); }

prefix="$scratch/my prefix's \$dir"
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
desktop="$prefix/share/applications/org.norvelk.OrvantaDictionary.desktop"
desktop-file-validate "$desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/org.norvelk.OrvantaDictionary.metainfo.xml" >/dev/null
[ "$(sqlite3 "$prefix/share/orvanta-dictionary/en-si.db" 'select count(*) from history')" = 0 ] \
    || fail "the installed word list carries a history"
pass

export HOME="$scratch/home" XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config" QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
user="$XDG_DATA_HOME/orvanta-dictionary"
program="$prefix/libexec/orvanta-dictionary/orvanta-dictionary"
installed_db="$prefix/share/orvanta-dictionary/en-si.db"
installed_list="$prefix/share/orvanta-dictionary/en-si.tsv"
installed_hash() { cat "$installed_db" "$installed_list" | sha256sum; }
# Installs the dictionary the importer makes of a list, as a release would.
install_list() {
    rm -f "$scratch/release.db"
    "$prefix/bin/en-si-import" "$1" "$scratch/release.db" >/dev/null
    cp "$scratch/release.db" "$installed_db"
    cp "$1" "$installed_list"
}
before=$(installed_hash)
value() { sqlite3 "$user/en-si.db" "select value from dict where key = '$1'"; }

# Waits until the program runs (pid $1, or any with the program as its
# executable) in directory $2, and ends it.
running_in() {
    local pid
    for pid in /proc/[0-9]*; do
        [ "$(readlink "$pid/exe" 2>/dev/null)" = "$program" ] && [ "$(readlink "$pid/cwd" 2>/dev/null)" = "$1" ] \
            && echo "${pid#/proc/}" && return 0
    done
    return 1
}
wait_and_end() {
    local pid=$1 directory=$2
    for _ in $(seq 150); do
        [ "$(readlink "/proc/$pid/exe" 2>/dev/null)" = "$program" ] \
            && [ "$(readlink "/proc/$pid/cwd" 2>/dev/null)" = "$directory" ] && break
        sleep 0.1
    done
    [ "$(readlink "/proc/$pid/cwd" 2>/dev/null)" = "$directory" ] || fail "the program did not start in $directory"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
}
# Starts the launcher from the prefix, as the menu would, and ends the
# program; what the launcher said is then in $said.
launch() {
    "$prefix/bin/orvanta-dictionary" 2>"$scratch/said" &
    launched=("$!")
    wait_and_end "$!" "${1:-$user}"
    launched=()
    said=$(grep '^orvanta-dictionary:' "$scratch/said" || true)
}

# The menu entry, read as desktops read it: GLib's parser, through gio.
gio launch "$desktop"
found=""
for _ in $(seq 150); do
    found=$(running_in "$user") && break
    sleep 0.1
done
[ -n "$found" ] || fail "the menu entry did not start the program (Exec=$(grep ^Exec= "$desktop"))"
kill "$found"
pass

# The first start made the user's copy.
[ -f "$user/en-si.db" ] || fail "no copy of the word list for the user"
[ "$(value water)" != "" ] || fail "the user's copy has no words"
# A first start that could not note the copy's origin: the next start's
# update changes nothing, and takes none of our words for the user's.
rm "$user/en-si.installed.db"
launch
cmp -s "$installed_db" "$user/en-si.db" && cmp -s "$installed_db" "$user/en-si.installed.db" \
    || fail "a first start's note made later changed the copy"
pass

# The user imports words of their own and looks words up.
printf 'water\tඅම්බු\nmyword\tමගේ වචනය\n' > "$scratch/own.tsv"
"$prefix/bin/en-si-import" "$scratch/own.tsv" "$user/en-si.db" >/dev/null
sqlite3 "$user/en-si.db" "insert into history(word) values('water')"

# A newer installed list, dated before the last start as an archive may give
# it: water loses its last sense and gains one, one entry leaves, one comes.
water=$(awk -F '\t' '$1 == "water" { print $2 }' "$installed_list")
case "$water" in *"|"*) ;; *) fail "the shipped water has one sense; this test needs two" ;; esac
kept=${water%|*}
gone=$(awk -F '\t' '$1 != "water" && $1 != "english" { print $1; exit }' "$installed_list")
awk -F '\t' -v OFS='\t' -v kept="$kept" -v gone="$gone" \
    '$1 == "water" { $2 = kept "|නැවුම් දිය" } $1 != gone { print }' "$installed_list" > "$scratch/list.tsv"
printf 'zzebra\tසීබ්‍රා\n' >> "$scratch/list.tsv"
install_list "$scratch/list.tsv"
touch -d '2000-01-01' "$installed_db" "$installed_list"
before=$(installed_hash)
launch
# The line of phrases water heads, if any, stays last.
[ "$(value water | sed "s/|<a href='[^|]*<\/a>\$//")" = "$kept|නැවුම් දිය|අම්බු" ] ||
    fail "water is \"$(value water)\", not ours updated then the user's"
[ "$(value "$gone")" = "" ] || fail "$gone left our list but stays in the user's copy"
[ "$(value zzebra)" = "සීබ්‍රා" ] || fail "the new entry did not arrive"
[ "$(value myword)" = "මගේ වචනය" ] || fail "the user's own word was lost"
[ "$(sqlite3 "$user/en-si.db" 'select word from history')" = "water" ] || fail "the history was lost"
[ "$(installed_hash)" = "$before" ] || fail "the installed word list was written"
pass

# Nothing changed: the user's copy is left alone.
copy=$(sha256sum < "$user/en-si.db")
launch
[ "$(sha256sum < "$user/en-si.db")" = "$copy" ] || fail "an unchanged list was merged again"
pass

# A copy kept by release 1.4: no record of the user's imports, the list last
# merged beside it. Its update starts from that list, then notes the
# installed dictionary instead.
sqlite3 "$user/en-si.db" 'drop table imported'
rm "$user/en-si.installed.db"
cp "$scratch/list.tsv" "$user/en-si.merged.tsv"
printf 'zzyak\tයාක්\n' >> "$scratch/list.tsv"
install_list "$scratch/list.tsv"
launch
[ "$(value zzyak)" = "යාක්" ] || fail "a 1.4 copy was not updated"
[ "$(value myword)" = "මගේ වචනය" ] || fail "the user's own word was lost in a 1.4 copy's update"
[ ! -e "$user/en-si.merged.tsv" ] && cmp -s "$installed_db" "$user/en-si.installed.db" \
    || fail "a 1.4 copy's update was not noted"
pass

# Two starts at once on a first start: both give a window.
rm -rf "$user"
"$prefix/bin/orvanta-dictionary" 2>"$scratch/first.err" &
first=$!
"$prefix/bin/orvanta-dictionary" 2>"$scratch/second.err" &
second=$!
launched=("$first" "$second")
wait_and_end "$first" "$user"
wait_and_end "$second" "$user"
launched=()
! grep -E '^(cp|mv|orvanta-dictionary):' "$scratch/first.err" "$scratch/second.err" || fail "two starts failed"
pass

# A relative XDG_DATA_HOME is ignored: the copy goes under HOME.
mkdir -p "$scratch/cwd"
(cd "$scratch/cwd" && export XDG_DATA_HOME=relative && launch "$HOME/.local/share/orvanta-dictionary")
[ ! -e "$scratch/cwd/relative" ] || fail "a relative XDG_DATA_HOME made a folder in the working directory"
pass

# Neither HOME nor XDG_DATA_HOME: a clear message, no program.
if message=$(env -u HOME -u XDG_DATA_HOME "$prefix/bin/orvanta-dictionary" 2>&1); then
    fail "started without HOME or XDG_DATA_HOME"
fi
case "$message" in *"neither HOME nor XDG_DATA_HOME"*) ;; *) fail "unclear message: $message" ;; esac
pass

# A small file system that fills up: the launcher says why, starts the
# program on the copy as it is, leaves no partial file, and finishes the
# update at a later start. Mounting one needs root.
small="$scratch/small"
mkdir "$small"
# Room for the copy, its note and an update's journal: three dictionaries.
megabytes=$(($(stat -c %s "$installed_db") * 3 / 1048576 + 8))
if [ "$(id -u)" != 0 ] || ! mount -t tmpfs -o size=${megabytes}m tmpfs "$small" 2>/dev/null; then
    echo "install: the full-disk cases are skipped: no small file system could be mounted (it needs root)" >&2
else
    mounted=$small
    export XDG_DATA_HOME=$small
    user="$small/orvanta-dictionary"
    partials() { find "$user" -name '*.partial' -o -name '*.part-*'; }
    launch
    [ -f "$user/en-si.db" ] || fail "no copy on the small file system"

    printf 'gnu\tගනු\n' >> "$scratch/list.tsv"
    install_list "$scratch/list.tsv"
    dd if=/dev/zero of="$small/filler" bs=64k 2>/dev/null || true
    copy=$(sha256sum < "$user/en-si.db")
    launch
    case "$said" in *"could not bring the updated word list"*) ;; *) fail "a full disk went unsaid: $said" ;; esac
    [ "$(sha256sum < "$user/en-si.db")" = "$copy" ] || fail "a failed update changed the copy"
    [ -z "$(partials)" ] || fail "a full disk left $(partials)"
    pass

    # Room for the update, none for its note: the copy is updated and the
    # note is made at the next start.
    truncate -s -1M "$small/filler"
    launch
    case "$said" in *"could not note the update"*) ;; *) fail "a note that failed went unsaid: $said" ;; esac
    [ "$(value gnu)" = "ගනු" ] || fail "the update did not arrive on a nearly full disk"
    [ -z "$(partials)" ] || fail "a full disk left $(partials)"
    rm "$small/filler"
    launch
    [ -z "$said" ] && cmp -s "$installed_db" "$user/en-si.installed.db" || fail "the note was not made later: $said"
    pass

    # A folder where the lock cannot be made: said, and the program starts.
    rm "$user/.lock"
    mount -o remount,ro "$small"
    launch
    case "$said" in *"cannot make $user/.lock"*) ;; *) fail "a lock that cannot be made went unsaid: $said" ;; esac
    pass
fi

echo "install: $passed passed, 0 failed"

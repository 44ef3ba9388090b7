#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Cross-builds SQLite and Qt's qtbase for 64-bit Windows from Debian's own
# sources, once: the result is cached outside the checkout under a name
# that carries a hash of this recipe, so a changed recipe builds afresh.
# Prints the path of the Qt prefix last.
# Usage: packaging/windows/build-qt.sh
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
toolchain=$here/mingw64.cmake
target=x86_64-w64-mingw32

# The host Qt's tools build the cross Qt, so both must be the same release.
qt_source_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
sqlite_source_version=$(dpkg-query -W -f='${source:Version}' libsqlite3-dev)
qt_version=${qt_source_version%%+*}
recipe_hash=$(cat "$0" "$toolchain" <(echo "$qt_source_version $sqlite_source_version") |
    sha256sum | cut -c1-12)
cache_root=${XDG_CACHE_HOME:-$HOME/.cache}/orvanta-dictionary
prefix=$cache_root/qt-$qt_version-mingw64-$recipe_hash

if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

work=$cache_root/work-$recipe_hash
rm -rf "$work" "$prefix"
mkdir -p "$work"

# apt gets deb-src entries made from the system's own Debian sources, for
# this command alone, with its own lists: the system's setup is untouched.
fetch_source() {
    local apt=$work/apt
    mkdir -p "$apt/parts" "$apt/lists/partial" "$apt/cache/archives/partial"
    local file
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] || continue
        sed 's/^Types:.*/Types: deb-src/' "$file" >"$apt/parts/$(basename "$file")"
    done
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$file" ] || continue
        sed -n 's/^deb /deb-src /p' "$file" >"$apt/parts/$(basename "$file")"
    done
    local options=(-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$apt/parts"
        -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt/cache")
    apt-get "${options[@]}" update >&2
    (cd "$work" && apt-get "${options[@]}" source "$@" >&2)
}

# SQLite: the amalgamation is generated on the host from Debian's full
# source tree, then compiled for Windows. Qt's SQLite driver needs the
# column metadata.
build_sqlite() {
    local source
    source=$(find "$work" -maxdepth 1 -type d -name 'sqlite3-*' | head -1)
    mkdir -p "$work/sqlite-host" "$prefix/include" "$prefix/lib" "$prefix/bin"
    (cd "$work/sqlite-host" && "$source/configure" --disable-tcl >&2 && make sqlite3.c >&2)
    cp "$work/sqlite-host/sqlite3.h" "$work/sqlite-host/sqlite3ext.h" "$prefix/include/" 2>/dev/null ||
        cp "$work/sqlite-host/sqlite3.h" "$prefix/include/"
    $target-gcc-posix -O2 -shared -DSQLITE_ENABLE_COLUMN_METADATA -DSQLITE_ENABLE_FTS5 \
        -DSQLITE_THREADSAFE=1 "-DSQLITE_API=__declspec(dllexport)" \
        -o "$prefix/bin/sqlite3.dll" -Wl,--out-implib,"$prefix/lib/libsqlite3.dll.a" \
        "$work/sqlite-host/sqlite3.c"
}

# qtbase with only what the program and its tests use. OpenGL stays on
# (dynamic: nothing to ship), since the Windows platform plugin does not
# build without it; wintab is not in Debian's source, hence no tablets.
build_qtbase() {
    local source
    source=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -1)
    cmake -S "$source" -B "$work/qtbase-build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DCMAKE_PREFIX_PATH="$prefix" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
        -DINPUT_opengl=dynamic \
        -DFEATURE_tabletevent=OFF \
        -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF \
        -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
        -DFEATURE_sql_sqlite=ON -DFEATURE_system_sqlite=ON \
        -DFEATURE_sql_odbc=OFF -DFEATURE_sql_psql=OFF -DFEATURE_sql_mysql=OFF \
        -DFEATURE_sql_ibase=OFF -DFEATURE_sql_oci=OFF -DFEATURE_sql_db2=OFF \
        -DSQLite3_INCLUDE_DIR="$prefix/include" \
        -DSQLite3_LIBRARY="$prefix/lib/libsqlite3.dll.a" >&2
    cmake --build "$work/qtbase-build" >&2
    cmake --install "$work/qtbase-build" >&2
}

start=$(date +%s)
fetch_source "qt6-base=$qt_source_version" "sqlite3=$sqlite_source_version"
build_sqlite
build_qtbase
echo "Qt $qt_version for Windows built in $(($(date +%s) - start)) s" >&2
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"

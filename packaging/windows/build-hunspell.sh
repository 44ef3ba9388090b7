#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Cross-builds Hunspell for 64-bit Windows from Debian's own source, once,
# as a static library with a hunspell.pc: the result is cached outside the
# checkout under a name that carries a hash of this recipe, so a changed
# recipe builds afresh. Prints the path of the prefix last.
# Usage: packaging/windows/build-hunspell.sh
set -euo pipefail
target=x86_64-w64-mingw32

# The version Debian ships, the one the Linux build links.
source_version=$(dpkg-query -W -f='${source:Version}' libhunspell-dev)
version=${source_version%%-*}
recipe_hash=$(cat "$0" <(echo "$source_version") | sha256sum | cut -c1-12)
cache_root=${XDG_CACHE_HOME:-$HOME/.cache}/orvanta-dictionary
prefix=$cache_root/hunspell-$version-mingw64-$recipe_hash

if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

work=$cache_root/work-hunspell-$recipe_hash
rm -rf "$work" "$prefix"
mkdir -p "$work"

# apt gets deb-src entries made from the system's own Debian sources, for
# this command alone, with its own lists: the system's setup is untouched.
# (build-qt.sh does the same; it is left as it is, since its text names
# the cached Qt build.)
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

# Only the library: static, so the program carries it and no DLL is
# shipped. HUNSPELL_STATIC keeps its headers from asking for a DLL, when
# it is built and when it is used.
build_hunspell() {
    local source
    source=$(find "$work" -maxdepth 1 -type d -name 'hunspell-*' | head -1)
    (cd "$source" && ./configure --host=$target --prefix="$prefix" \
        CC=$target-gcc-posix CXX=$target-g++-posix CPPFLAGS=-DHUNSPELL_STATIC CXXFLAGS=-O2 \
        --enable-static --disable-shared --disable-nls --without-ui --without-readline >&2)
    make -C "$source/src/hunspell" -j"$(nproc)" >&2
    make -C "$source/src/hunspell" install >&2
    # The program includes <hunspell/hunspell.hxx>: the include folder itself
    # must be searched too, which on Windows is no default.
    mkdir -p "$prefix/lib/pkgconfig"
    sed 's|^Cflags:.*|Cflags: -I${includedir} -I${includedir}/hunspell -DHUNSPELL_STATIC|' \
        "$source/hunspell.pc" >"$prefix/lib/pkgconfig/hunspell.pc"
    rm -f "$prefix"/lib/*.la
}

start=$(date +%s)
fetch_source "hunspell=$source_version"
build_hunspell
echo "Hunspell $version for Windows built in $(($(date +%s) - start)) s" >&2
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing on Debian or Ubuntu, in three groups:
#   scripts/install-deps.sh run      building and running the dictionary
#   scripts/install-deps.sh package  that, and building and checking the
#                                    Debian package
#   scripts/install-deps.sh windows  building and running the dictionary,
#                                    and cross-building its Windows
#                                    installer (scripts/windows.sh)
#   scripts/install-deps.sh test     all that, and everything the tests,
#                                    checks and benchmarks need
set -euo pipefail
group=${1:-test}

run_packages=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite
    # the Sinhala translation: lrelease and lupdate, and their CMake functions
    qt6-l10n-tools qt6-tools-dev
    # the Sinhala script in the result view
    fonts-noto-core
    # English parts of speech, irregular forms and how often phrases are
    # used, made into the importer's tables
    wordnet-base
    # how common English words are (the search box's offers), and spelling
    # suggestions with their English and Sinhala dictionaries
    scowl libhunspell-dev hunspell-en-us hunspell-si
)
package_packages=(
    # dpkg-shlibdeps, lintian, and groff for the manual pages
    dpkg-dev lintian man-db
)
windows_packages=(
    # Qt's, SQLite's and Hunspell's Debian sources, cross-built for 64-bit
    # Windows (the installer takes Hunspell's dictionaries from the run group)
    dpkg-dev g++-mingw-w64-x86-64-posix ninja-build tcl
    # the installer, and Wine to run the Windows tests
    nsis wine wine64
)
test_packages=(
    # a virtual display, a window manager to close the window, the
    # clipboard, screenshots, and a look into the database
    xvfb xauth openbox wmctrl xclip x11-utils imagemagick sqlite3
    # the installed menu entry and metainfo
    desktop-file-utils appstream libglib2.0-bin
    # the Windows resource script
    binutils-mingw-w64-x86-64
    # fuzzing, sanitizers, format and static analysis; benchmarks
    # (and the runtime of the release's clang: clang_runtime below)
    clang clang-format clang-tidy libbenchmark-dev libsqlite3-dev
    # the peak memory of a program the benchmarks start
    time
)

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)

# libFuzzer and the sanitizers' runtime for the release's default clang:
# libclang-rt-N-dev where the release has it (Debian 12 on), part of
# libclang-common-N-dev before.
clang_runtime() {
    local version
    apt-cache show clang >/dev/null 2>&1 || "${sudo[@]}" apt-get update >/dev/null
    version=$(apt-cache depends clang | sed -n 's/^ *Depends: clang-\([0-9][0-9]*\)$/\1/p' | head -1)
    [ -n "$version" ] || { echo "install-deps: cannot tell which clang this release has" >&2; exit 1; }
    if apt-cache show "libclang-rt-$version-dev" >/dev/null 2>&1; then
        echo "libclang-rt-$version-dev"
    else
        echo "libclang-common-$version-dev"
    fi
}

case $group in
run) packages=("${run_packages[@]}") ;;
package) packages=("${run_packages[@]}" "${package_packages[@]}") ;;
windows) packages=("${run_packages[@]}" "${windows_packages[@]}") ;;
test)
    packages=("${run_packages[@]}" "${package_packages[@]}" "${windows_packages[@]}" "${test_packages[@]}")
    runtime=$(clang_runtime) || exit 1
    packages+=("$runtime")
    ;;
*)
    echo "usage: $0 [run|package|windows|test]" >&2
    exit 2
    ;;
esac

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

"${sudo[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y "${missing[@]}"

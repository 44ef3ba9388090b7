#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The manual pages describe every option that en-si-import --help lists, and
# render without a warning from groff.
# Usage: check-man-pages.sh IMPORTER MAN_PAGE...
set -euo pipefail
importer=$1
shift
fail() { echo "man pages: $*" >&2; exit 1; }
command -v man >/dev/null || fail "man is missing"

import_page=""
for page in "$@"; do
    [ "$(basename "$page")" = en-si-import.1 ] && import_page=$page
    # As lintian runs it.
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$page: $warnings"
done
[ -n "$import_page" ] || fail "no en-si-import.1 given"

options=$("$importer" --help | sed -n 's/^  \(-[a-zA-Z], \)\{0,1\}\(--[a-z-]*\).*/\2/p')
[ -n "$options" ] || fail "no options found in en-si-import --help"
for option in $options; do
    # Options are written with escaped hyphens, \-\-replace, as words of
    # their own.
    pattern=${option//-/\\\\-}
    grep -qE -- "(^|[ \"])$pattern(\$|[ \"])" "$import_page" || fail "en-si-import.1 does not describe $option"
done
echo "man pages: 1 passed, 0 failed"

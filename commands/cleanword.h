// SPDX-License-Identifier: MIT
#ifndef CLEANWORD_H
#define CLEANWORD_H

#include <QString>

// The word in text copied from a page: composed to Unicode NFC, without the
// white space, punctuation, symbols and format marks around it (line ends,
// no-break and zero-width spaces, quotes of every language, brackets,
// dashes, bullets, slashes, direction marks). Inner characters stay as
// they are (o'clock, at&t, e-mail). Tried only when the text as typed finds
// nothing.
QString cleanedWord(const QString &text);

#endif

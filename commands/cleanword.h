// SPDX-License-Identifier: MIT
#ifndef CLEANWORD_H
#define CLEANWORD_H

#include <QString>
#include <QStringList>

// The word in text copied from a page: composed to Unicode NFC, without the
// white space, punctuation, symbols and format marks around it (line ends,
// no-break and zero-width spaces, quotes of every language, brackets,
// dashes, bullets, slashes, direction marks). Inner characters stay as
// they are (o'clock, at&t, e-mail). Tried only when the text as typed finds
// nothing.
QString cleanedWord(const QString &text);

// The words to try, in order, when the text as typed finds nothing: the
// text less more and more of the marks around it, those at the end first,
// the cleaned word last. A key may end or start with one (c#, mr., 'tis),
// so "c#." is tried as c# before c. White space never stays around one.
QStringList cleanedWords(const QString &text);

#endif

// SPDX-License-Identifier: MIT
#ifndef CLEANWORD_H
#define CLEANWORD_H

#include <QString>

// The word in text copied from a page: composed to Unicode NFC, without the
// white space of any kind (no-break and zero-width spaces, line ends) and
// the punctuation around it (. , ; : ! ? quotes, brackets, dashes). Inner
// characters stay as they are. Tried only when the text as typed finds
// nothing.
QString cleanedWord(const QString &text);

#endif

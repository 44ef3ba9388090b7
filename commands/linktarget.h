// SPDX-License-Identifier: MIT
#ifndef LINKTARGET_H
#define LINKTARGET_H

#include <QString>
#include <QUrl>

// A history link must lead back to exactly the recorded word, whatever it
// holds (quotes, '#', '?', '%', ':', spaces, Sinhala script). The target is
// the word's UTF-8 bytes percent-encoded, so the view's URL parsing has
// nothing left to interpret; it contains no quote and needs no HTML escaping.
QString linkTargetForWord(const QString &word);

// A link to the word that looks it up when clicked: "<a href='", the
// target, "'>", the word HTML-escaped, "</a>".
QString linkHtml(const QString &word);

// The word a clicked link stands for: the URL's encoded form, percent-decoded.
// A plain link such as href='apple' gives "apple".
QString wordFromLink(const QUrl &url);

#endif

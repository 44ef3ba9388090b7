// SPDX-License-Identifier: MIT
#ifndef SENSETEXT_H
#define SENSETEXT_H

#include <QString>
#include <QStringList>

// Word lists hold plain text, and the view shows a value as HTML. A sense
// is stored with its "&", "<" and ">" escaped, so that "x < y" or a tag in
// a list shows exactly as written; the importer's own link lines are the
// only markup in what it writes. Quotes need no escaping outside a tag.
namespace SenseText {

QString fromPlainText(const QString &text);
QStringList fromPlainTexts(const QStringList &texts);
// The plain text of a stored sense: what a user reads, and types.
QString toPlainText(const QString &sense);

} // namespace SenseText

#endif

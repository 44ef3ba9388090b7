// SPDX-License-Identifier: MIT
#ifndef RESULTHTML_H
#define RESULTHTML_H

#include <QString>
#include <QStringList>

// Every sense of a "|"-joined entry followed by "<br />", empty senses kept.
// Senses are our own data and go in as written, markup included.
QString senseListHtml(const QString &entry);

// The history listing: one link per word, each followed by "<br/>".
QString historyListHtml(const QStringList &words);

#endif

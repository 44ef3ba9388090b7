// SPDX-License-Identifier: MIT
#include "resulthtml.h"

#include "../commands/linktarget.h"

QString senseListHtml(const QString &entry)
{
    const QStringList senses = entry.split(QLatin1Char('|'), Qt::KeepEmptyParts, Qt::CaseSensitive);
    QString html;
    for (const QString &sense : senses) {
        html.append(sense);
        html.append(QLatin1String("<br />"));
    }
    return html;
}

QString historyListHtml(const QStringList &words)
{
    QString html;
    for (const QString &word : words) {
        html.append(linkHtml(word));
        html.append(QLatin1String("<br/>"));
    }
    return html;
}

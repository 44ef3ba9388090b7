// SPDX-License-Identifier: MIT
#include "format/resultformat.h"

#include <QRegularExpression>

namespace {

const QLatin1String linkStart("<a href='");
const QLatin1String linkEnd("</a>");
const QLatin1String phraseSeparator(", ");

} // namespace

QString senseListHtml(const QString &entry)
{
    const QStringList senses = entry.split(senseSeparator, Qt::KeepEmptyParts, Qt::CaseSensitive);
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

QString linkTargetForWord(const QString &word)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(word));
}

QString linkHtml(const QString &word)
{
    return linkStart + linkTargetForWord(word) + QLatin1String("'>") + word.toHtmlEscaped() + linkEnd;
}

QString wordFromLink(const QUrl &url)
{
    return QUrl::fromPercentEncoding(url.toEncoded());
}

QStringList linkedWords(const QString &value)
{
    static const QRegularExpression anchor(QStringLiteral("<a href='[^']*'>([^<]*)</a>"));
    QStringList words;
    if (!value.contains(linkStart))
        return words;
    for (auto match = anchor.globalMatch(value); match.hasNext();) {
        QString word = match.next().captured(1);
        word.replace(QLatin1String("&lt;"), QLatin1String("<"))
            .replace(QLatin1String("&gt;"), QLatin1String(">"))
            .replace(QLatin1String("&quot;"), QLatin1String("\""))
            .replace(QLatin1String("&amp;"), QLatin1String("&"));
        words.append(word);
    }
    return words;
}

QString formLinkLine(const QStringList &bases, const QSet<QString> &linkable, const QStringList &labels)
{
    QStringList words;
    for (const QString &base : bases)
        words.append(linkable.contains(base) ? linkHtml(base) : base.toHtmlEscaped());
    return words.join(QLatin1Char(' ')) + QLatin1String(" (") + labels.join(QLatin1String(", ")) + QLatin1Char(')');
}

bool isFormLinkLine(const QString &sense)
{
    return sense.contains(linkStart) && sense.endsWith(QLatin1Char(')'));
}

QString phraseLine(const QStringList &phrases)
{
    QStringList links;
    for (const QString &phrase : phrases)
        links.append(linkHtml(phrase));
    return links.join(phraseSeparator);
}

QStringList phrasesOfLine(const QString &line)
{
    QStringList phrases;
    const QStringList links = line.split(phraseSeparator);
    for (const QString &link : links) {
        const qsizetype end = link.indexOf(QLatin1String("'>"));
        if (link.startsWith(linkStart) && end > 0)
            phrases.append(QUrl::fromPercentEncoding(link.mid(linkStart.size(), end - linkStart.size()).toLatin1()));
    }
    return phrases;
}

bool isPhraseLine(const QString &sense)
{
    return sense.startsWith(linkStart) && sense.endsWith(linkEnd);
}

bool isLinkLine(const QString &sense)
{
    return sense.startsWith(linkStart) || sense.contains(QLatin1Char(' ') + linkStart);
}

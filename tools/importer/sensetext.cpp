// SPDX-License-Identifier: MIT
#include "tools/importer/sensetext.h"

namespace SenseText {

QString fromPlainText(const QString &text)
{
    if (!text.contains(QLatin1Char('&')) && !text.contains(QLatin1Char('<')) && !text.contains(QLatin1Char('>')))
        return text;
    QString escaped;
    escaped.reserve(text.size() + 8);
    for (const QChar c : text) {
        if (c == QLatin1Char('&'))
            escaped += QLatin1String("&amp;");
        else if (c == QLatin1Char('<'))
            escaped += QLatin1String("&lt;");
        else if (c == QLatin1Char('>'))
            escaped += QLatin1String("&gt;");
        else
            escaped += c;
    }
    return escaped;
}

QStringList fromPlainTexts(const QStringList &texts)
{
    QStringList escaped;
    escaped.reserve(texts.size());
    for (const QString &text : texts)
        escaped.append(fromPlainText(text));
    return escaped;
}

QString toPlainText(const QString &sense)
{
    if (!sense.contains(QLatin1Char('&')))
        return sense;
    QString text = sense;
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    // Last, so that "&amp;lt;" gives "&lt;" and not "<".
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return text;
}

} // namespace SenseText

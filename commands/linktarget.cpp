// SPDX-License-Identifier: MIT
#include "linktarget.h"

QString linkTargetForWord(const QString &word)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(word));
}

QString linkHtml(const QString &word)
{
    return QLatin1String("<a href='") + linkTargetForWord(word) + QLatin1String("'>") + word.toHtmlEscaped()
           + QLatin1String("</a>");
}

QString wordFromLink(const QUrl &url)
{
    return QUrl::fromPercentEncoding(url.toEncoded());
}

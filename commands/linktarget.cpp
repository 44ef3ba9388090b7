// SPDX-License-Identifier: MIT
#include "linktarget.h"

QString linkTargetForWord(const QString &word)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(word));
}

QString wordFromLink(const QUrl &url)
{
    return QUrl::fromPercentEncoding(url.toEncoded());
}

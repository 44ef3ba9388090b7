// SPDX-License-Identifier: MIT
#include "cleanword.h"

namespace {

bool isAround(QChar c)
{
    // Quotes of both kinds, brackets, dashes, the ellipsis, and zero-width
    // spaces, which QChar does not count as space.
    static const QString punctuation = QString::fromUtf8(".,;:!?'\"‘’“”()[]{}-–—…\u200B\u2060\uFEFF");
    return c.isSpace() || punctuation.contains(c);
}

} // namespace

QString cleanedWord(const QString &text)
{
    const QString composed = text.normalized(QString::NormalizationForm_C);
    qsizetype start = 0;
    qsizetype end = composed.size();
    while (start < end && isAround(composed.at(start)))
        ++start;
    while (end > start && isAround(composed.at(end - 1)))
        --end;
    return composed.mid(start, end - start);
}

// SPDX-License-Identifier: MIT
#include "cleanword.h"

namespace {

// Punctuation, symbols, format marks (zero-width spaces, direction marks)
// and separators of every script, by their Unicode category, so that no
// quote or bullet of some language is left out; and white space and
// control characters, which copied line ends bring.
bool isAround(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Punctuation_Connector:
    case QChar::Punctuation_Dash:
    case QChar::Punctuation_Open:
    case QChar::Punctuation_Close:
    case QChar::Punctuation_InitialQuote:
    case QChar::Punctuation_FinalQuote:
    case QChar::Punctuation_Other:
    case QChar::Symbol_Math:
    case QChar::Symbol_Currency:
    case QChar::Symbol_Modifier:
    case QChar::Symbol_Other:
    case QChar::Other_Format:
    case QChar::Other_Control:
    case QChar::Separator_Space:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return QChar::isSpace(c);
    }
}

// The code point that starts at `at`, and the one that ends at `end`, with
// their lengths: a symbol beyond the first plane (an emoji) is two QChars.
char32_t pointAt(const QString &text, qsizetype at, qsizetype *length)
{
    *length = 1;
    if (at + 1 < text.size() && text.at(at).isHighSurrogate() && text.at(at + 1).isLowSurrogate()) {
        *length = 2;
        return QChar::surrogateToUcs4(text.at(at), text.at(at + 1));
    }
    return text.at(at).unicode();
}

char32_t pointBefore(const QString &text, qsizetype end, qsizetype *length)
{
    *length = 1;
    if (end >= 2 && text.at(end - 1).isLowSurrogate() && text.at(end - 2).isHighSurrogate()) {
        *length = 2;
        return QChar::surrogateToUcs4(text.at(end - 2), text.at(end - 1));
    }
    return text.at(end - 1).unicode();
}

} // namespace

QString cleanedWord(const QString &text)
{
    const QString composed = text.normalized(QString::NormalizationForm_C);
    qsizetype start = 0;
    qsizetype end = composed.size();
    qsizetype length = 0;
    while (start < end && isAround(pointAt(composed, start, &length)))
        start += length;
    while (end > start && isAround(pointBefore(composed, end, &length)))
        end -= length;
    return composed.mid(start, end - start);
}

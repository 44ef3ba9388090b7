// SPDX-License-Identifier: MIT
#include "commands/cleanword.h"

#include <algorithm>

namespace {

// How many marks at either end are taken away one at a time before the
// rest go at once: a key may end in one (c#, mr.), never in many.
constexpr int maxSteps = 3;

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
        return true;
    default:
        return false;
    }
}

// What is never part of a word at its ends: white space, line ends,
// zero-width spaces and direction marks.
bool isInvisible(char32_t c)
{
    switch (QChar::category(c)) {
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

bool isMark(char32_t c)
{
    return isAround(c) || isInvisible(c);
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

// The text between from and to without the marks that pass the test at
// either end.
QString stripped(const QString &text, qsizetype from, qsizetype to, bool (*test)(char32_t))
{
    qsizetype length = 0;
    while (from < to && test(pointAt(text, from, &length)))
        from += length;
    while (to > from && test(pointBefore(text, to, &length)))
        to -= length;
    return text.mid(from, to - from);
}

// Where the word may start: after none, one, two, three and all of the
// marks at the start; `forward` false gives where it may end.
QList<qsizetype> cuts(const QString &text, bool forward)
{
    QList<qsizetype> cuts;
    qsizetype at = forward ? 0 : text.size();
    qsizetype length = 0;
    cuts.append(at);
    while (forward ? at < text.size() && isMark(pointAt(text, at, &length))
                   : at > 0 && isMark(pointBefore(text, at, &length))) {
        at += forward ? length : -length;
        if (cuts.size() <= maxSteps)
            cuts.append(at);
    }
    if (cuts.constLast() != at)
        cuts.append(at);
    return cuts;
}

} // namespace

QString cleanedWord(const QString &text)
{
    const QString composed = text.normalized(QString::NormalizationForm_C);
    return stripped(composed, 0, composed.size(), isMark);
}

QStringList cleanedWords(const QString &text)
{
    const QString composed = text.normalized(QString::NormalizationForm_C);
    const QList<qsizetype> starts = cuts(composed, true);
    const QList<qsizetype> ends = cuts(composed, false);
    // Fewest marks taken first, those at the end before those at the start.
    QList<QPair<qsizetype, qsizetype>> steps;
    for (qsizetype start = 0; start < starts.size(); ++start) {
        for (qsizetype end = 0; end < ends.size(); ++end)
            steps.append({start, end});
    }
    std::stable_sort(steps.begin(), steps.end(), [](const auto &one, const auto &other) {
        return one.first + one.second < other.first + other.second;
    });
    QStringList words;
    for (const auto &[start, end] : std::as_const(steps)) {
        if (starts.at(start) >= ends.at(end))
            continue;
        const QString word = stripped(composed, starts.at(start), ends.at(end), isInvisible);
        if (!word.isEmpty() && word != text && !words.contains(word))
            words.append(word);
    }
    const QString last = stripped(composed, 0, composed.size(), isMark);
    words.removeAll(last);
    if (!last.isEmpty() && last != text)
        words.append(last);
    return words;
}

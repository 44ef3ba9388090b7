// SPDX-License-Identifier: MIT
#include "tools/importer/phraseline.h"

#include "format/resultformat.h"
#include "tools/importer/entrycollection.h"

#include <QFile>

#include <algorithm>

namespace {

const QChar space = QLatin1Char(' ');

// The closed classes: articles and determiners, pronouns, prepositions and
// the particles of phrasal verbs, conjunctions, auxiliaries and modals. A
// lookup of one of them would otherwise list every phrasal verb.
const char *const functionWords[] = {
    "a",       "about",   "above",   "all",     "across",   "after",      "against",    "along",   "am",
    "among",   "an",      "and",     "another", "any",      "are",        "around",     "as",      "at",
    "away",    "be",      "because", "been",    "before",   "behind",     "being",      "below",   "beneath",
    "beside",  "besides", "between", "beyond",  "both",     "but",        "by",         "can",     "could",
    "did",     "do",      "does",    "down",    "during",   "each",       "either",     "every",   "for",
    "from",    "had",     "has",     "have",    "having",   "he",         "her",        "here",    "hers",
    "herself", "him",     "himself", "his",     "how",      "i",          "if",         "in",      "inside",
    "into",    "is",      "it",      "its",     "itself",   "may",        "me",         "might",   "must",
    "my",      "myself",  "neither", "no",      "nor",      "not",        "of",         "off",     "on",
    "one's",   "onto",    "or",      "ought",   "our",      "ours",       "ourselves",  "out",     "outside",
    "over",    "per",     "shall",   "she",     "should",   "since",      "so",         "some",    "such",
    "than",    "that",    "the",     "their",   "theirs",   "them",       "themselves", "then",    "there",
    "these",   "they",    "this",    "those",   "though",   "through",    "till",       "to",      "too",
    "toward",  "towards", "under",   "unless",  "until",    "up",         "upon",       "us",      "very",
    "was",     "we",      "were",    "what",    "when",     "where",      "whether",    "which",   "while",
    "who",     "whom",    "whose",   "why",     "will",     "with",       "within",     "without", "would",
    "yet",     "you",     "your",    "yours",   "yourself", "yourselves",
};

bool isPhraseWord(const QString &word)
{
    bool letter = false;
    for (const QChar c : word) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            letter = true;
        else if (!QStringLiteral("'\u2019.-").contains(c))
            return false;
    }
    return letter;
}

// Two to five words in lower-case Latin letters: longer headwords are
// glosses rather than phrases a reader meets.
bool isPhrase(const QString &key)
{
    const QStringList parts = key.split(space);
    return parts.size() >= 2 && parts.size() <= 5 && std::all_of(parts.cbegin(), parts.cend(), isPhraseWord);
}

QString lineOf(const QStringList &phrases)
{
    return phraseLine(phrases.mid(0, PhraseLine::maxLinks));
}

// The line of the phrases, then those of more not left out, ranked by the
// shipped counts.
QString rankedLine(QStringList phrases, const QStringList &more, const QStringList &leftOut)
{
    static const QHash<QString, int> counts = PhraseLine::shippedCounts();
    for (const QString &phrase : more) {
        if (!phrases.contains(phrase) && !leftOut.contains(phrase))
            phrases.append(phrase);
    }
    std::stable_sort(phrases.begin(), phrases.end(), [](const QString &one, const QString &another) {
        return counts.value(one) > counts.value(another);
    });
    return lineOf(phrases);
}

} // namespace

PhraseLine::PhraseLine()
    : counts(shippedCounts())
{
}

PhraseLine::PhraseLine(const QHash<QString, int> &counts)
    : counts(counts)
{
}

QHash<QString, int> PhraseLine::shippedCounts()
{
    QHash<QString, int> counts;
    QFile file(QStringLiteral(":/data/phrase-counts.tsv"));
    if (!file.open(QIODevice::ReadOnly))
        return counts;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        if (tab > 0)
            counts.insert(line.left(tab), line.mid(tab + 1).toInt());
    }
    return counts;
}

bool PhraseLine::isFunctionWord(const QString &word)
{
    static const QSet<QString> words = [] {
        QSet<QString> set;
        for (const char *word : functionWords)
            set.insert(QLatin1String(word));
        return set;
    }();
    return words.contains(word);
}

QStringList PhraseLine::contentWords(const QString &phrase)
{
    QStringList content;
    const QStringList parts = phrase.split(space, Qt::SkipEmptyParts);
    for (const QString &word : parts) {
        if (!isFunctionWord(word) && !content.contains(word))
            content.append(word);
    }
    return content;
}

void PhraseLine::addHeadword(const QString &asWritten)
{
    const QString key = asWritten.toLower();
    if (!key.contains(space)) {
        words.insert(key);
        return;
    }
    if (asWritten == key && !phraseSet.contains(key) && isPhrase(key)) {
        phraseSet.insert(key);
        phraseList.append(key);
    }
}

QString PhraseLine::mergedLine(const QString &line, const QString &other)
{
    return rankedLine(phrasesOfLine(line), phrasesOfLine(other), {});
}

QString PhraseLine::updatedLine(const QString &user, const QString &previous, const QString &current)
{
    return rankedLine(phrasesOfLine(current), phrasesOfLine(user), phrasesOfLine(previous));
}

void PhraseLine::addLines(EntryCollection *entries) const
{
    // Each head's phrases in the order the sources gave them.
    QHash<QString, QList<qsizetype>> headed;
    QStringList heads;
    for (qsizetype i = 0; i < phraseList.size(); ++i) {
        const QStringList content = contentWords(phraseList.at(i));
        for (const QString &word : content) {
            if (!words.contains(word))
                continue;
            QList<qsizetype> &phrases = headed[word];
            if (phrases.isEmpty())
                heads.append(word);
            phrases.append(i);
        }
    }
    const auto moreCommon = [this](qsizetype one, qsizetype other) {
        return counts.value(phraseList.at(one)) > counts.value(phraseList.at(other));
    };
    for (const QString &head : std::as_const(heads)) {
        const Entry *entry = entries->find(head);
        if (!entry || entry->value.isEmpty())
            continue;
        QList<qsizetype> ranked = headed.value(head);
        std::stable_sort(ranked.begin(), ranked.end(), moreCommon);
        QStringList phrases;
        for (qsizetype i : std::as_const(ranked))
            phrases.append(phraseList.at(i));
        entries->add(head, lineOf(phrases));
    }
}

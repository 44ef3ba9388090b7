// SPDX-License-Identifier: MIT
#ifndef PHRASELINE_H
#define PHRASELINE_H

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

class EntryCollection;

// Readers look up single words, not the phrases they stand in. After its
// senses, a word gets one line of links to the phrases it heads: the
// multi-word headwords of the sources that hold it as a content word
// (account: account for, on account of, take into account; take: take into
// account). Function words (up, of, the, have) head none, so a phrase made
// only of them (as well as) is offered on no word. The line holds the eight
// most common, by how often WordNet's tagged corpus uses the phrase, then in
// the order the sources gave them.
class PhraseLine
{
public:
    static constexpr int maxLinks = 8;

    // With the counts the importer carries.
    PhraseLine();
    explicit PhraseLine(const QHash<QString, int> &counts);

    // "phrase<TAB>count", made from WordNet at build time.
    static QHash<QString, int> shippedCounts();
    static bool isFunctionWord(const QString &word);
    // The words of a lower-case phrase that may head it, in phrase order.
    static QStringList contentWords(const QString &phrase);

    // A headword as a source wrote it. Phrases are those of two to five
    // words in lower-case Latin letters; single words may head them.
    void addHeadword(const QString &asWritten);
    const QStringList &phrases() const { return phraseList; }

    // Adds the line to every headword that heads a phrase with entries.
    void addLines(EntryCollection *entries) const;

    // One line of the phrases of both, ranked again by the shipped counts
    // (the first line's order among equals), at most maxLinks.
    static QString mergedLine(const QString &line, const QString &other);
    // The line of an update: the current one of our list, with the phrases
    // the user's line has that our previous one had not.
    static QString updatedLine(const QString &user, const QString &previous, const QString &current);

private:
    QHash<QString, int> counts;
    QStringList phraseList;
    QSet<QString> phraseSet;
    QSet<QString> words;
};

#endif

// SPDX-License-Identifier: MIT
#ifndef KEYRANKS_H
#define KEYRANKS_H

#include "format/resultformat.h"

#include <QHash>
#include <QString>

class QSqlDatabase;

// How common English words are, read from "word<TAB>rank" lines (smaller is
// more common; the build makes them from scowl's grades), and the rank of
// every key of a dictionary file that follows from them.
class KeyRanks
{
public:
    static constexpr int unranked = unrankedWord;

    // A bad line stops the reading; *error names it.
    bool read(const QString &path, QString *error);
    bool isEmpty() const { return words.isEmpty(); }
    int rankOf(const QString &word) const;

    // A Sinhala key ranks as the most common English word it translates.
    int sinhalaKeyRank(const QString &value) const;

    // Gives every key of dict its row in keyrank and drops the rows of keys
    // that left it; a generated form (its value opens with the link to its
    // headword) ranks after every headword. Without ranks (an import without
    // a list) the rows that are there stay as they are.
    static bool writeTable(QSqlDatabase &db, const KeyRanks *ranks, QString *error);

private:
    QHash<QString, int> words;
};

#endif

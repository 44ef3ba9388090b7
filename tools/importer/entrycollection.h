// SPDX-License-Identifier: MIT
#ifndef ENTRYCOLLECTION_H
#define ENTRYCOLLECTION_H

#include "format/resultformat.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// One key with its senses, kept as the "|"-joined value the dictionary
// stores: one string per entry rather than one per sense, so that a million
// entries fit in memory comfortably.
struct Entry
{
    QString key;
    QString value;

    QStringList senses() const { return value.split(senseSeparator); }
};

// Entries gathered from every source, one per key, keys in the order they
// were first met and senses in the order they came, without repeats.
class EntryCollection
{
public:
    void add(const QString &key, const QString &sense);
    // A whole "|"-joined value, as a dictionary file holds it.
    void set(const QString &key, const QString &value);
    const Entry *find(const QString &key) const;
    bool isEmpty() const { return list.isEmpty(); }

    // Whether the "|"-joined value already holds the sense as one of its parts.
    static bool holds(const QString &value, const QString &sense);

    const QList<Entry> &entries() const { return list; }
    qsizetype senseCount() const { return senses; }

private:
    QHash<QString, qsizetype> index;
    QList<Entry> list;
    qsizetype senses = 0;
};

#endif

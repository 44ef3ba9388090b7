// SPDX-License-Identifier: MIT
#ifndef ENTRYCOLLECTION_H
#define ENTRYCOLLECTION_H

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

struct Entry
{
    QString key;
    QStringList senses;
};

// Entries gathered from every source, one per key, keys in the order they
// were first met and senses in the order they came, without repeats.
class EntryCollection
{
public:
    void add(const QString &key, const QString &sense);

    const QList<Entry> &entries() const { return list; }
    qsizetype senseCount() const { return senses; }

private:
    QHash<QString, qsizetype> index;
    QList<Entry> list;
    qsizetype senses = 0;
};

#endif

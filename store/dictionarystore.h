// SPDX-License-Identifier: MIT
#ifndef DICTIONARYSTORE_H
#define DICTIONARYSTORE_H

#include <QString>
#include <QStringList>

#include <functional>

class QSqlDatabase;

// The statements the program runs on its one connection. Each makes a fresh
// query on the default connection and runs it to its end, so no read
// transaction outlives the call. On failure they return false and put the
// driver's error text into *error.
namespace DictionaryStore {

inline constexpr const char *fileName = "./en-si.db";

// Keys in Sinhala script are the Sinhala-to-English direction.
inline bool isSinhalaKey(QStringView key)
{
    for (const QChar c : key) {
        if (c.unicode() >= 0x0D80 && c.unicode() <= 0x0DFF)
            return true;
    }
    return false;
}

// Opens the existing dictionary file for reading and writing; never creates
// one. The error names the file's absolute path and the driver's reason.
bool open(QSqlDatabase &database, QString *error);

// The value of the last row keyed by the word; empty when there is none.
bool lookup(const QString &word, QString *value, QString *error);
bool record(const QString &word, QString *error);
bool recentWords(QStringList *words, QString *error);
bool clear(QString *error);

// Up to `limit` keys that begin with the lower-case prefix, with their
// ranks: the more common first, then the shorter; a file without ranks,
// shorter first.
bool keysStartingWith(const QString &prefix, int limit, QStringList *keys, QList<int> *ranks, QString *error);
// The key's rank, or -1 where dict has no such key.
bool rankOfKey(const QString &key, int *rank, QString *error);
// Every key with its rank (smaller is more common), in no set order.
bool forEachKey(const std::function<void(const QString &key, int rank)> &visit, QString *error);

} // namespace DictionaryStore

#endif

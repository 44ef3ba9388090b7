// SPDX-License-Identifier: MIT
#include "store/dictionarystore.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

const QLatin1String wordPlaceholder(":word");

// Qt gives no text when the connection never opened; the box must say why.
QString reasonFor(const QSqlQuery &query)
{
    const QString text = query.lastError().text();
    return text.isEmpty() ? QCoreApplication::translate("DictionaryStore", "The dictionary database is not open.")
                          : text;
}

// Prepares and runs one statement on the default connection; the word is
// bound only when the statement asks for it.
bool run(QSqlQuery &query, const QString &statement, const QString &word, QString *error)
{
    // A statement that cannot even be prepared (a file that is no database,
    // a missing table) fails with the driver's reason for that, rather than
    // with the binding error that running it anyway would give.
    if (!query.prepare(statement)) {
        *error = reasonFor(query);
        return false;
    }
    if (statement.contains(wordPlaceholder))
        query.bindValue(wordPlaceholder, QVariant(word), QSql::In);
    if (query.exec())
        return true;
    *error = reasonFor(query);
    return false;
}

// The keys of a range in key order; the ranks where the file has them.
bool runRankedStatement(QSqlQuery &query, const QString &ranked, const QString &unranked, QString *error)
{
    if (query.prepare(ranked))
        return true;
    if (query.prepare(unranked))
        return true;
    *error = reasonFor(query);
    return false;
}

// Above every key that begins with the prefix: the largest code point.
QString rangeEnd(const QString &prefix)
{
    return prefix + QString::fromUcs4(U"\U0010FFFF");
}

} // namespace

namespace DictionaryStore {

bool open(QSqlDatabase &database, QString *error)
{
    const QString path = QString::fromLatin1(fileName);
    // mode=rw opens an existing file only: a missing dictionary must not
    // leave an empty one behind in the working directory.
    database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
    database.setDatabaseName(QStringLiteral("file:") + path + QStringLiteral("?mode=rw"));
    if (database.open())
        return true;
    *error = QCoreApplication::translate("DictionaryStore", "Cannot open the dictionary file %1\n%2")
                 .arg(QFileInfo(path).absoluteFilePath(), database.lastError().text());
    if (!QFileInfo::exists(path)) {
        error->append(QLatin1Char('\n'));
        error->append(QCoreApplication::translate("DictionaryStore", "The file does not exist."));
    }
    return false;
}

bool lookup(const QString &word, QString *value, QString *error)
{
    QSqlQuery query{QSqlDatabase()};
    const bool ok = run(query, QStringLiteral("select value from dict where key = :word"), word, error);
    value->clear();
    while (query.next())
        *value = query.value(0).toString();
    return ok;
}

bool record(const QString &word, QString *error)
{
    QSqlQuery query{QSqlDatabase()};
    return run(query, QStringLiteral("insert into history(word) values(:word)"), word, error);
}

bool recentWords(QStringList *words, QString *error)
{
    QSqlQuery query{QSqlDatabase()};
    const bool ok = run(query, QStringLiteral("select word from history order by id desc limit 20"), QString(), error);
    words->clear();
    while (query.next())
        words->append(query.value(0).toString());
    return ok;
}

bool clear(QString *error)
{
    QSqlQuery query{QSqlDatabase()};
    return run(query, QStringLiteral("delete from history"), QString(), error);
}

bool keysStartingWith(const QString &prefix, int limit, QStringList *keys, QList<int> *ranks, QString *error)
{
    keys->clear();
    ranks->clear();
    QSqlQuery query{QSqlDatabase()};
    query.setForwardOnly(true);
    if (!runRankedStatement(query,
                            QStringLiteral("select d.key, ifnull(r.rank, 99) as rank from dict d "
                                           "left join keyrank r on r.key = d.key "
                                           "where d.key >= :word and d.key < :end "
                                           "order by rank, length(d.key), d.key limit :limit"),
                            QStringLiteral("select key, 99 from dict where key >= :word and key < :end "
                                           "order by length(key), key limit :limit"),
                            error))
        return false;
    query.bindValue(wordPlaceholder, prefix);
    query.bindValue(QStringLiteral(":end"), rangeEnd(prefix));
    query.bindValue(QStringLiteral(":limit"), limit);
    if (!query.exec()) {
        *error = reasonFor(query);
        return false;
    }
    while (query.next()) {
        keys->append(query.value(0).toString());
        ranks->append(query.value(1).toInt());
    }
    return true;
}

bool rankOfKey(const QString &key, int *rank, QString *error)
{
    QSqlQuery query{QSqlDatabase()};
    if (!runRankedStatement(query,
                            QStringLiteral("select ifnull(r.rank, 99) from dict d left join keyrank r "
                                           "on r.key = d.key where d.key = :word"),
                            QStringLiteral("select 99 from dict where key = :word"), error))
        return false;
    query.bindValue(wordPlaceholder, key);
    if (!query.exec()) {
        *error = reasonFor(query);
        return false;
    }
    *rank = query.next() ? query.value(0).toInt() : -1;
    return true;
}

bool forEachKey(const std::function<void(const QString &key, int rank)> &visit, QString *error)
{
    QSqlQuery query{QSqlDatabase()};
    query.setForwardOnly(true);
    if (!runRankedStatement(query,
                            QStringLiteral("select d.key, ifnull(r.rank, 99) from dict d "
                                           "left join keyrank r on r.key = d.key"),
                            QStringLiteral("select key, 99 from dict"), error))
        return false;
    if (!query.exec()) {
        *error = reasonFor(query);
        return false;
    }
    while (query.next())
        visit(query.value(0).toString(), query.value(1).toInt());
    return true;
}

} // namespace DictionaryStore

// SPDX-License-Identifier: MIT
#include "keyranks.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>
#include <QVariant>

namespace {

// A generated form's value opens with the link to its headword.
bool isGeneratedForm(const QString &value)
{
    return value.startsWith(QLatin1String("<a href="));
}

bool failed(const QSqlQuery &query, QString *error)
{
    *error = query.lastError().text();
    return false;
}

} // namespace

bool KeyRanks::read(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("%1: cannot open: %2").arg(path, file.errorString());
        return false;
    }
    QTextStream in(&file);
    qint64 lineNumber = 0;
    QString line;
    while (in.readLineInto(&line)) {
        ++lineNumber;
        if (line.isEmpty())
            continue;
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        bool ok = false;
        const int rank = tab > 0 ? QStringView(line).mid(tab + 1).toInt(&ok) : 0;
        if (!ok || rank < 0 || rank >= unranked) {
            *error = QStringLiteral("%1:%2: not \"word<TAB>rank\" with a rank below %3")
                         .arg(path)
                         .arg(lineNumber)
                         .arg(unranked);
            return false;
        }
        const QString word = line.left(tab).toLower();
        const auto known = words.constFind(word);
        if (known == words.constEnd() || *known > rank)
            words.insert(word, rank);
    }
    return true;
}

int KeyRanks::rankOf(const QString &word) const
{
    return words.value(word, unranked);
}

int KeyRanks::keyRank(const QString &key, const QString &value) const
{
    if (!DictionaryStore::isSinhalaKey(key))
        return (isGeneratedForm(value) ? DictionaryStore::generatedFormRank : 0) + rankOf(key);
    int best = unranked;
    for (const QStringView english : QStringView(value).split(QLatin1Char('|')))
        best = qMin(best, rankOf(english.toString().toLower()));
    return best;
}

bool KeyRanks::writeTable(QSqlDatabase &db, const KeyRanks *ranks, QString *error)
{
    static const KeyRanks none;
    const KeyRanks &known = ranks ? *ranks : none;
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("delete from keyrank where key not in (select key from dict)")))
        return failed(query, error);
    QSqlQuery insert(db);
    if (!insert.prepare(ranks ? QStringLiteral("insert or replace into keyrank(key, rank) values(?, ?)")
                              : QStringLiteral("insert or ignore into keyrank(key, rank) values(?, ?)")))
        return failed(insert, error);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("select key, value from dict")))
        return failed(query, error);
    while (query.next()) {
        const QString key = query.value(0).toString();
        insert.bindValue(0, key);
        insert.bindValue(1, known.keyRank(key, query.value(1).toString()));
        if (!insert.exec())
            return failed(insert, error);
    }
    return true;
}

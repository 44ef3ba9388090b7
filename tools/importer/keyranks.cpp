// SPDX-License-Identifier: MIT
#include "tools/importer/keyranks.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>
#include <QVariant>

namespace {

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

int KeyRanks::sinhalaKeyRank(const QString &value) const
{
    int best = unranked;
    for (const QStringView english : QStringView(value).split(senseSeparator))
        best = qMin(best, rankOf(english.toString().toLower()));
    return best;
}

namespace {

// Keys with a letter of the Sinhala block, as SQL sees them.
const QString sinhalaKey = QStringLiteral("key glob '*[\u0D80-\u0DFF]*'");

bool run(QSqlQuery &query, const QString &statement, QString *error)
{
    return query.exec(statement) || failed(query, error);
}

// The words' ranks in a temporary table, for SQL to join with dict.
bool writeWordRanks(QSqlDatabase &db, const QHash<QString, int> &words, QString *error)
{
    QSqlQuery query(db);
    if (!run(query,
             QStringLiteral("create temp table wordrank(word text primary key, rank integer not null) without rowid"),
             error))
        return false;
    if (!query.prepare(QStringLiteral("insert into temp.wordrank(word, rank) values(?, ?)")))
        return failed(query, error);
    for (auto word = words.constBegin(); word != words.constEnd(); ++word) {
        query.bindValue(0, word.key());
        query.bindValue(1, word.value());
        if (!query.exec())
            return failed(query, error);
    }
    return true;
}

} // namespace

bool KeyRanks::writeTable(QSqlDatabase &db, const KeyRanks *ranks, QString *error)
{
    // The keys are written in key order: in random order a million of them
    // take minutes.
    QSqlQuery query(db);
    if (!run(query, QStringLiteral("delete from keyrank where key not in (select key from dict)"), error))
        return false;
    const QString formRank =
        QStringLiteral("(case when d.value like '<a href=%' then %1 else 0 end)").arg(generatedFormRank);
    if (!ranks)
        return run(query,
                   QStringLiteral("insert or ignore into keyrank(key, rank) select d.key, %1 + %2 from dict d "
                                  "order by d.key")
                       .arg(formRank)
                       .arg(unranked),
                   error);
    if (!writeWordRanks(db, ranks->words, error)
        || !run(query,
                QStringLiteral("insert or replace into keyrank(key, rank) "
                               "select d.key, %1 + ifnull(w.rank, %2) from dict d "
                               "left join temp.wordrank w on w.word = d.key where not d.%3 order by d.key")
                    .arg(formRank)
                    .arg(unranked)
                    .arg(sinhalaKey),
                error))
        return false;
    QSqlQuery insert(db);
    if (!insert.prepare(QStringLiteral("insert or replace into keyrank(key, rank) values(?, ?)")))
        return failed(insert, error);
    query.setForwardOnly(true);
    if (!run(query, QStringLiteral("select key, value from dict d where d.%1 order by key").arg(sinhalaKey), error))
        return false;
    while (query.next()) {
        insert.bindValue(0, query.value(0).toString());
        insert.bindValue(1, ranks->sinhalaKeyRank(query.value(1).toString()));
        if (!insert.exec())
            return failed(insert, error);
    }
    // Graded lists hold single words: a phrase is as common as its rarest
    // word (ice cream as cream, before iceberg).
    if (!run(query,
             QStringLiteral("select key from dict d where key like '%% %%' and value not like '<a href=%%' "
                            "and not d.%1 order by key")
                 .arg(sinhalaKey),
             error))
        return false;
    while (query.next()) {
        const QString phrase = query.value(0).toString();
        int rarest = 0;
        for (const QString &word : phrase.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            rarest = qMax(rarest, ranks->rankOf(word));
        insert.bindValue(0, phrase);
        insert.bindValue(1, rarest);
        if (!insert.exec())
            return failed(insert, error);
    }
    query.finish();
    return run(query, QStringLiteral("drop table temp.wordrank"), error);
}

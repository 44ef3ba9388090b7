// SPDX-License-Identifier: MIT
#include "tools/importer/entrytable.h"

#include "format/resultformat.h"
#include "tools/importer/sensemerge.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QVariant>

namespace {

bool prepared(QSqlQuery &query, const QString &statement, QString *error)
{
    if (query.prepare(statement))
        return true;
    *error = query.lastError().text();
    return false;
}

bool run(QSqlQuery &query, QString *error)
{
    if (query.exec())
        return true;
    *error = query.lastError().text();
    return false;
}

} // namespace

EntryTable::EntryTable(QSqlDatabase &db, const QString &name)
    : name(name)
    , select(db)
    , insert(db)
    , remove(db)
{
}

bool EntryTable::prepare(QString *error)
{
    return prepared(select, QStringLiteral("select value from %1 where key = ?").arg(name), error)
           && prepared(insert, QStringLiteral("insert or replace into %1(key, value) values(?, ?)").arg(name), error)
           && prepared(remove, QStringLiteral("delete from %1 where key = ?").arg(name), error);
}

bool EntryTable::value(const QString &key, QString *value, QString *error)
{
    select.bindValue(0, key);
    if (!run(select, error))
        return false;
    *value = QString();
    if (select.next()) {
        *value = select.value(0).toString();
        if (value->isNull())
            *value = QLatin1String("");
    }
    select.finish();
    return true;
}

bool EntryTable::set(const QString &key, const QString &value, QString *error)
{
    insert.bindValue(0, key);
    insert.bindValue(1, value);
    return run(insert, error);
}

bool EntryTable::erase(const QString &key, QString *error)
{
    remove.bindValue(0, key);
    return run(remove, error);
}

bool EntryTable::addSenses(const QString &key, const QStringList &senses, QString *error)
{
    if (senses.isEmpty())
        return true;
    QString existing;
    if (!value(key, &existing, error))
        return false;
    const QString merged = SenseMerge::merged(existing, senses.join(senseSeparator));
    return merged == existing || set(key, merged, error);
}

// SPDX-License-Identifier: MIT
#include "dictionarywriter.h"

#include "keyranks.h"
#include "partialfile.h"
#include "schema.h"
#include "sensemerge.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

bool exec(QSqlQuery &query, const QString &statement, QString *error)
{
    if (query.exec(statement))
        return true;
    *error = query.lastError().text();
    return false;
}

bool createSchema(QSqlDatabase &db, QString *error)
{
    QSqlQuery query(db);
    const QStringList statements = DictionaryWriter::schemaStatements();
    for (const QString &statement : statements) {
        if (!exec(query, statement, error))
            return false;
    }
    return true;
}

// Reads, sets and removes single entries of the file.
class EntryTable
{
public:
    explicit EntryTable(QSqlDatabase &db)
        : select(db)
        , insert(db)
        , remove(db)
    {
    }
    bool prepare(QString *error)
    {
        return prepare(select, QStringLiteral("select value from dict where key = ?"), error)
               && prepare(insert, QStringLiteral("insert or replace into dict(key, value) values(?, ?)"), error)
               && prepare(remove, QStringLiteral("delete from dict where key = ?"), error);
    }
    // The value, or a null string where the file has no such key.
    bool value(const QString &key, QString *value, QString *error)
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
    bool set(const QString &key, const QString &value, QString *error)
    {
        insert.bindValue(0, key);
        insert.bindValue(1, value);
        return run(insert, error);
    }
    bool erase(const QString &key, QString *error)
    {
        remove.bindValue(0, key);
        return run(remove, error);
    }

private:
    static bool prepare(QSqlQuery &query, const QString &statement, QString *error)
    {
        if (query.prepare(statement))
            return true;
        *error = query.lastError().text();
        return false;
    }
    static bool run(QSqlQuery &query, QString *error)
    {
        if (query.exec())
            return true;
        *error = query.lastError().text();
        return false;
    }
    QSqlQuery select;
    QSqlQuery insert;
    QSqlQuery remove;
};

bool insertEntries(EntryTable &table, const QList<Entry> &entries, QString *error)
{
    for (const Entry &entry : entries) {
        if (!table.set(entry.key, entry.value, error))
            return false;
    }
    return true;
}

bool mergeEntries(EntryTable &table, const QList<Entry> &entries, QString *error)
{
    QString existing;
    for (const Entry &entry : entries) {
        if (!table.value(entry.key, &existing, error))
            return false;
        const QString value = existing.isNull() ? entry.value : SenseMerge::merged(existing, entry.value);
        if (value != existing && !table.set(entry.key, value, error))
            return false;
    }
    return true;
}

// One key of a three-way update; an entry left without senses goes.
bool updateEntry(EntryTable &table, const QString &key, const QString &previous, const QString &current, QString *error)
{
    QString user;
    if (!table.value(key, &user, error))
        return false;
    const QString value = SenseMerge::updated(user, previous, current);
    if (value == user)
        return true;
    if (value.isEmpty())
        return table.erase(key, error);
    return table.set(key, value, error);
}

// Only the keys whose value our list changed are touched.
bool updateEntries(EntryTable &table, const EntryCollection &current, const EntryCollection &previous, QString *error)
{
    for (const Entry &entry : current.entries()) {
        const Entry *was = previous.find(entry.key);
        if (was && was->value == entry.value)
            continue;
        if (!updateEntry(table, entry.key, was ? was->value : QString(), entry.value, error))
            return false;
    }
    for (const Entry &entry : previous.entries()) {
        if (!current.find(entry.key) && !updateEntry(table, entry.key, entry.value, QString(), error))
            return false;
    }
    return true;
}

bool writeEntries(QSqlDatabase &db, const EntryCollection &entries, const DictionaryWriter::Options &options,
                  QString *error)
{
    EntryTable table(db);
    if (!table.prepare(error))
        return false;
    switch (options.mode) {
    case DictionaryWriter::Mode::Replace:
        return insertEntries(table, entries.entries(), error);
    case DictionaryWriter::Mode::Merge:
        return mergeEntries(table, entries.entries(), error);
    case DictionaryWriter::Mode::Update:
        return updateEntries(table, entries, *options.previous, error);
    }
    return false;
}

// Somebody else's database: it has tables, none of them a word list.
bool isForeign(QSqlDatabase &db, bool *foreign, QString *error)
{
    QSqlQuery query(db);
    if (!exec(query,
              QStringLiteral("select count(*), count(case when name = 'dict' then 1 end) "
                             "from sqlite_master where type = 'table'"),
              error))
        return false;
    *foreign = query.next() && query.value(0).toInt() > 0 && query.value(1).toInt() == 0;
    return true;
}

// Everything inside one transaction; on any failure it is rolled back.
bool fill(QSqlDatabase &db, const EntryCollection &entries, const DictionaryWriter::Options &options, QString *error)
{
    bool foreign = false;
    if (!isForeign(db, &foreign, error))
        return false;
    if (foreign && !options.force) {
        *error = QStringLiteral("it has other tables but no word list (dict): not a dictionary file; "
                                "--force adds one");
        return false;
    }
    if (!db.transaction()) {
        *error = db.lastError().text();
        return false;
    }
    QSqlQuery query(db);
    const bool emptyFirst = options.mode == DictionaryWriter::Mode::Replace;
    const bool ok = createSchema(db, error) && (!emptyFirst || exec(query, QStringLiteral("delete from dict"), error))
                    && writeEntries(db, entries, options, error) && KeyRanks::writeTable(db, options.ranks, error);
    query.finish();
    if (ok && db.commit())
        return true;
    if (ok)
        *error = db.lastError().text();
    db.rollback();
    return false;
}

bool writeWithConnection(const QString &path, bool fresh, const EntryCollection &entries,
                         const DictionaryWriter::Options &options, QString *error)
{
    const QString name = QStringLiteral("import-") + QUuid::createUuid().toString(QUuid::Id128);
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open()) {
            *error = db.lastError().text();
        } else {
            if (fresh) {
                // A file nobody else sees yet needs no journal; it is synced
                // before it takes its real name.
                QSqlQuery pragmas(db);
                pragmas.exec(QStringLiteral("pragma journal_mode = off"));
                pragmas.exec(QStringLiteral("pragma synchronous = off"));
            }
            ok = fill(db, entries, options, error);
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

bool syncFile(const QString &path)
{
#ifdef Q_OS_UNIX
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && ::fsync(file.handle()) == 0;
#else
    Q_UNUSED(path);
    return true;
#endif
}

bool writeNew(const QString &path, const EntryCollection &entries, const DictionaryWriter::Options &options,
              QString *error)
{
    PartialFile partial(path);
    // A new file has nothing to merge with.
    const DictionaryWriter::Options fresh{DictionaryWriter::Mode::Replace, nullptr, false, options.ranks};
    if (!partial.create(error) || !writeWithConnection(partial.name(), true, entries, fresh, error))
        return false;
    if (!syncFile(partial.name())) {
        *error = QStringLiteral("cannot flush %1 to disk").arg(partial.name());
        return false;
    }
    if (!partial.moveTo(path)) {
        *error = QStringLiteral("cannot move the new dictionary to %1").arg(path);
        return false;
    }
    return true;
}

} // namespace

QStringList DictionaryWriter::schemaStatements()
{
    QString sql;
    const QStringList lines = QString::fromUtf8(dictionarySchema).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (!line.trimmed().startsWith(QLatin1String("--")))
            sql += line + QLatin1Char('\n');
    }
    QStringList statements = sql.split(QLatin1Char(';'));
    statements.removeIf([](const QString &statement) { return statement.trimmed().isEmpty(); });
    return statements;
}

bool DictionaryWriter::write(const QString &path, const EntryCollection &entries, const Options &options,
                             QString *error)
{
    if (QFileInfo::exists(path))
        return writeWithConnection(path, false, entries, options, error);
    return writeNew(path, entries, options, error);
}

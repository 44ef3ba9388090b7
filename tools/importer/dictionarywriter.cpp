// SPDX-License-Identifier: MIT
#include "tools/importer/dictionarywriter.h"

#include "schema.h"
#include "tools/importer/copyupdate.h"
#include "tools/importer/entrytable.h"
#include "tools/importer/keyranks.h"
#include "tools/importer/partialfile.h"
#include "tools/importer/sensemerge.h"

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

// The senses the user's own imports gave each key that our list may give
// too, shaped like the word list.
const QString ownTable = QStringLiteral("imported");

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

bool insertEntries(EntryTable &table, const QList<Entry> &entries, QString *error)
{
    for (const Entry &entry : entries) {
        if (!table.set(entry.key, entry.value, error))
            return false;
    }
    return true;
}

bool mergeEntries(EntryTable &table, const QList<Entry> &entries, EntryTable *own, QString *error)
{
    QString existing;
    for (const Entry &entry : entries) {
        if (!table.value(entry.key, &existing, error)
            || (own && !own->addSenses(entry.key, SenseMerge::shared(existing, entry.value), error)))
            return false;
        const QString value = existing.isNull() ? entry.value : SenseMerge::merged(existing, entry.value);
        if (value != existing && !table.set(entry.key, value, error))
            return false;
    }
    return true;
}

// The word list emptied, then the entries; with a record, it starts again
// from what the entries share with the list they replace.
bool replaceEntries(QSqlDatabase &db, EntryTable &table, const QList<Entry> &entries, EntryTable *own, QString *error)
{
    QSqlQuery query(db);
    if (own && !exec(query, QStringLiteral("delete from %1").arg(ownTable), error))
        return false;
    QString existing;
    for (const Entry &entry : entries) {
        if (own
            && (!table.value(entry.key, &existing, error)
                || !own->addSenses(entry.key, SenseMerge::shared(existing, entry.value), error)))
            return false;
    }
    return exec(query, QStringLiteral("delete from dict"), error) && insertEntries(table, entries, error);
}

bool hasTable(QSqlDatabase &db, const QString &name, bool *has, QString *error)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("select count(*) from sqlite_master where type = 'table' and name = ?"));
    query.addBindValue(name);
    if (!query.exec()) {
        *error = query.lastError().text();
        return false;
    }
    *has = query.next() && query.value(0).toInt() > 0;
    return true;
}

bool createOwnTable(QSqlDatabase &db, QString *error)
{
    QSqlQuery query(db);
    return exec(query, QStringLiteral("create table %1(key text primary key, value text not null)").arg(ownTable),
                error);
}

// What the user's imports into an existing file share with it is recorded
// beside the word list, for updates to keep. A file made anew is all list:
// its record starts empty. A file from before the record was kept gets it
// at its first update.
bool writeEntries(QSqlDatabase &db, bool fresh, const EntryCollection &entries,
                  const DictionaryWriter::Options &options, QString *error)
{
    bool recorded = false;
    if (!hasTable(db, ownTable, &recorded, error))
        return false;
    const bool update = options.mode == DictionaryWriter::Mode::Update;
    if (!recorded && (fresh || update) && !createOwnTable(db, error))
        return false;
    EntryTable table(db);
    EntryTable own(db, ownTable);
    if (!table.prepare(error) || ((recorded || fresh || update) && !own.prepare(error)))
        return false;
    EntryTable *record = recorded ? &own : nullptr;
    switch (options.mode) {
    case DictionaryWriter::Mode::Replace:
        // A new file is what it was updated to, should its copy be updated
        // to the same again.
        return replaceEntries(db, table, entries.entries(), record, error)
               && (!fresh || CopyUpdate::note(db, entries, error));
    case DictionaryWriter::Mode::Merge:
        return mergeEntries(table, entries.entries(), record, error);
    case DictionaryWriter::Mode::Update:
        return CopyUpdate::run(db, table, own, recorded, entries, *options.previous, error);
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
bool fill(QSqlDatabase &db, bool fresh, const EntryCollection &entries, const DictionaryWriter::Options &options,
          QString *error)
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
    const bool ok = createSchema(db, error) && writeEntries(db, fresh, entries, options, error)
                    && KeyRanks::writeTable(db, options.ranks, error);
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
            ok = fill(db, fresh, entries, options, error);
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

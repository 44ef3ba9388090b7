// SPDX-License-Identifier: MIT
#include "dictionarywriter.h"

#include "schema.h"

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

bool insertEntries(QSqlDatabase &db, const QList<Entry> &entries, QString *error)
{
    QSqlQuery insert(db);
    if (!insert.prepare(QStringLiteral("insert or replace into dict(key, value) values(?, ?)"))) {
        *error = insert.lastError().text();
        return false;
    }
    for (const Entry &entry : entries) {
        insert.bindValue(0, entry.key);
        insert.bindValue(1, entry.value);
        if (!insert.exec()) {
            *error = insert.lastError().text();
            return false;
        }
    }
    return true;
}

// Everything inside one transaction; on any failure it is rolled back.
bool fill(QSqlDatabase &db, const QList<Entry> &entries, bool emptyFirst, QString *error)
{
    if (!db.transaction()) {
        *error = db.lastError().text();
        return false;
    }
    QSqlQuery query(db);
    const bool ok = createSchema(db, error) && (!emptyFirst || exec(query, QStringLiteral("delete from dict"), error))
                    && insertEntries(db, entries, error);
    query.finish();
    if (ok && db.commit())
        return true;
    if (ok)
        *error = db.lastError().text();
    db.rollback();
    return false;
}

bool writeWithConnection(const QString &path, bool fresh, const QList<Entry> &entries, bool emptyFirst, QString *error)
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
            ok = fill(db, entries, emptyFirst, error);
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

// Removes the partial file unless it was completed and moved into place.
class PartialFile
{
public:
    explicit PartialFile(const QString &finalPath)
        : name(finalPath + QStringLiteral(".part-") + QUuid::createUuid().toString(QUuid::Id128))
    {
    }
    ~PartialFile()
    {
        if (!kept)
            QFile::remove(name);
    }
    // Made with the usual mode for new files, not a private temporary one.
    bool create(QString *error)
    {
        QFile file(name);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return true;
        *error = QStringLiteral("cannot create %1: %2").arg(name, file.errorString());
        return false;
    }
    bool moveTo(const QString &path)
    {
        kept = !QFileInfo::exists(path) && QFile::rename(name, path);
        return kept;
    }
    const QString name;

private:
    bool kept = false;
};

bool writeNew(const QString &path, const QList<Entry> &entries, QString *error)
{
    PartialFile partial(path);
    if (!partial.create(error) || !writeWithConnection(partial.name, true, entries, false, error))
        return false;
    if (!syncFile(partial.name)) {
        *error = QStringLiteral("cannot flush %1 to disk").arg(partial.name);
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

bool DictionaryWriter::write(const QString &path, const QList<Entry> &entries, bool emptyFirst, QString *error)
{
    if (QFileInfo::exists(path))
        return writeWithConnection(path, false, entries, emptyFirst, error);
    return writeNew(path, entries, error);
}

// SPDX-License-Identifier: MIT
#include "dictionarywriter.h"

#include "partialfile.h"
#include "schema.h"
#include "sensemerge.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

#include <algorithm>

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

// Reads, sets and removes single entries of the file.
class EntryTable
{
public:
    // The word list, or a table of the same shape.
    explicit EntryTable(QSqlDatabase &db, const QString &name = QStringLiteral("dict"))
        : name(name)
        , select(db)
        , insert(db)
        , remove(db)
    {
    }
    bool prepare(QString *error)
    {
        return prepare(select, QStringLiteral("select value from %1 where key = ?").arg(name), error)
               && prepare(insert, QStringLiteral("insert or replace into %1(key, value) values(?, ?)").arg(name), error)
               && prepare(remove, QStringLiteral("delete from %1 where key = ?").arg(name), error);
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
    QString name;
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

// Adds senses to what the user's imports gave the key.
bool recordOwn(EntryTable *own, const QString &key, const QStringList &senses, QString *error)
{
    if (!own || senses.isEmpty())
        return true;
    QString recorded;
    if (!own->value(key, &recorded, error))
        return false;
    const QString value = SenseMerge::merged(recorded, senses.join(QLatin1Char('|')));
    return value == recorded || own->set(key, value, error);
}

// The senses of an import that the entry had already. Only these need a
// record: an update removes no sense that our old list lacked.
QStringList sharedSenses(const QString &existing, const QString &imported)
{
    QStringList shared;
    if (existing.isEmpty())
        return shared;
    const QStringList senses = imported.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    for (const QString &sense : senses) {
        if (EntryCollection::holds(existing, sense))
            shared.append(sense);
    }
    return shared;
}

bool mergeEntries(EntryTable &table, const QList<Entry> &entries, EntryTable *own, QString *error)
{
    QString existing;
    for (const Entry &entry : entries) {
        if (!table.value(entry.key, &existing, error)
            || !recordOwn(own, entry.key, sharedSenses(existing, entry.value), error))
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
                || !recordOwn(own, entry.key, sharedSenses(existing, entry.value), error)))
            return false;
    }
    return exec(query, QStringLiteral("delete from dict"), error) && insertEntries(table, entries, error);
}

// One key of a three-way update; an entry left without senses goes. A sense
// the copy had before our list brought it is the user's, and recorded so.
bool updateEntry(EntryTable &table, EntryTable &own, bool known, const QString &key, const QString &previous,
                 const QString &current, QString *error)
{
    QString user;
    QString imported;
    if (!table.value(key, &user, error) || !own.value(key, &imported, error))
        return false;
    QStringList arrived = known ? sharedSenses(user, current) : QStringList();
    arrived.removeIf([&previous](const QString &sense) { return EntryCollection::holds(previous, sense); });
    if (!recordOwn(&own, key, arrived, error))
        return false;
    const QString value = SenseMerge::updated(user, previous, current, imported);
    if (value == user)
        return true;
    if (value.isEmpty())
        return table.erase(key, error);
    return table.set(key, value, error);
}

// Only the keys whose value our list changed are touched. Without a
// previous nothing is known of where the copy's senses came from.
bool updateEntries(EntryTable &table, EntryTable &own, const EntryCollection &current, const EntryCollection &previous,
                   QString *error)
{
    const bool known = !previous.isEmpty();
    for (const Entry &entry : current.entries()) {
        const Entry *was = previous.find(entry.key);
        if (was && was->value == entry.value)
            continue;
        if (!updateEntry(table, own, known, entry.key, was ? was->value : QString(), entry.value, error))
            return false;
    }
    for (const Entry &entry : previous.entries()) {
        if (!current.find(entry.key) && !updateEntry(table, own, known, entry.key, entry.value, QString(), error))
            return false;
    }
    return true;
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

bool isLinkLine(const QString &sense)
{
    return sense.startsWith(QLatin1String("<a href='")) || sense.contains(QLatin1String(" <a href='"));
}

// The words a value's link lines point to, as their anchors show them.
QStringList linkedWords(const QString &value)
{
    static const QRegularExpression anchor(QStringLiteral("<a href='[^']*'>([^<]*)</a>"));
    QStringList words;
    if (!value.contains(QLatin1String("<a href='")))
        return words;
    for (auto match = anchor.globalMatch(value); match.hasNext();) {
        QString word = match.next().captured(1);
        word.replace(QLatin1String("&lt;"), QLatin1String("<"))
            .replace(QLatin1String("&gt;"), QLatin1String(">"))
            .replace(QLatin1String("&quot;"), QLatin1String("\""))
            .replace(QLatin1String("&amp;"), QLatin1String("&"));
        words.append(word);
    }
    return words;
}

// Whether an entry of a copy shows an import of the user's: a sense that is
// no link line and that neither our old list gave the key nor the words its
// links point to (a form's value repeats its headword's senses).
bool showsAnImport(const QString &key, const QString &value, const EntryCollection &previous)
{
    const QStringList linked = linkedWords(value);
    const auto gave = [&previous](const QString &word, const QString &sense) {
        const Entry *ours = previous.find(word);
        return ours && EntryCollection::holds(ours->value, sense);
    };
    const QStringList senses = value.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    for (const QString &sense : senses) {
        if (isLinkLine(sense) || gave(key, sense))
            continue;
        if (std::none_of(linked.cbegin(), linked.cend(), [&](const QString &word) { return gave(word, sense); }))
            return true;
    }
    return false;
}

// A copy from before the user's imports were recorded: every entry an
// import touched is taken as the user's, whole, with the entries its links
// point to, so that an update loses none of it and leaves no link dangling.
bool recordEarlierImports(QSqlDatabase &db, EntryTable &table, EntryTable &own, const EntryCollection &previous,
                          QString *error)
{
    QHash<QString, QString> touched;
    QStringList linked;
    {
        QSqlQuery query(db);
        query.setForwardOnly(true);
        if (!exec(query, QStringLiteral("select key, value from dict"), error))
            return false;
        while (query.next()) {
            const QString key = query.value(0).toString();
            const QString value = query.value(1).toString();
            if (showsAnImport(key, value, previous)) {
                touched.insert(key, value);
                linked += linkedWords(value);
            }
        }
    }
    QString value;
    for (const QString &word : std::as_const(linked)) {
        if (touched.contains(word))
            continue;
        if (!table.value(word, &value, error))
            return false;
        if (!value.isNull())
            touched.insert(word, value);
    }
    for (auto entry = touched.cbegin(); entry != touched.cend(); ++entry) {
        const Entry *ours = previous.find(entry.key());
        if (ours && !recordOwn(&own, entry.key(), sharedSenses(ours->value, entry.value()), error))
            return false;
    }
    return true;
}

// Our dictionary's content, in its order.
QString digestOf(const EntryCollection &entries)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const Entry &entry : entries.entries()) {
        hash.addData(entry.key.toUtf8());
        hash.addData(QByteArrayView("\t"));
        hash.addData(entry.value.toUtf8());
        hash.addData(QByteArrayView("\n"));
    }
    return QString::fromLatin1(hash.result().toHex());
}

// The copy notes, with the update itself, which dictionary it brought in:
// the same update run again (a launcher that could not note it done) then
// changes nothing, and takes none of our senses for the user's.
bool broughtAlready(QSqlDatabase &db, const QString &digest, bool *already, QString *error)
{
    QSqlQuery query(db);
    if (!exec(query, QStringLiteral("create table if not exists installed(digest text not null)"), error)
        || !exec(query, QStringLiteral("select digest from installed"), error))
        return false;
    *already = query.next() && query.value(0).toString() == digest;
    return true;
}

bool noteBrought(QSqlDatabase &db, const QString &digest, QString *error)
{
    QSqlQuery query(db);
    if (!exec(query, QStringLiteral("create table if not exists installed(digest text not null)"), error)
        || !exec(query, QStringLiteral("delete from installed"), error))
        return false;
    query.prepare(QStringLiteral("insert into installed(digest) values(?)"));
    query.addBindValue(digest);
    if (query.exec())
        return true;
    *error = query.lastError().text();
    return false;
}

bool updateCopy(QSqlDatabase &db, EntryTable &table, EntryTable &own, bool recorded, const EntryCollection &current,
                const EntryCollection &previous, QString *error)
{
    const QString digest = digestOf(current);
    bool already = false;
    if (!broughtAlready(db, digest, &already, error))
        return false;
    return already
           || ((recorded || recordEarlierImports(db, table, own, previous, error))
               && updateEntries(table, own, current, previous, error) && noteBrought(db, digest, error));
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
               && (!fresh || noteBrought(db, digestOf(entries), error));
    case DictionaryWriter::Mode::Merge:
        return mergeEntries(table, entries.entries(), record, error);
    case DictionaryWriter::Mode::Update:
        return updateCopy(db, table, own, recorded, entries, *options.previous, error);
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
    const bool ok = createSchema(db, error) && writeEntries(db, fresh, entries, options, error);
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

bool writeNew(const QString &path, const EntryCollection &entries, QString *error)
{
    PartialFile partial(path);
    // A new file has nothing to merge with.
    const DictionaryWriter::Options fresh{DictionaryWriter::Mode::Replace, nullptr, false};
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
    return writeNew(path, entries, error);
}

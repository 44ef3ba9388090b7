// SPDX-License-Identifier: MIT
#include "tools/importer/copyupdate.h"

#include "format/resultformat.h"
#include "tools/importer/entrytable.h"
#include "tools/importer/sensemerge.h"

#include <QCryptographicHash>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

namespace {

bool exec(QSqlQuery &query, const QString &statement, QString *error)
{
    if (query.exec(statement))
        return true;
    *error = query.lastError().text();
    return false;
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
    QStringList arrived = known ? SenseMerge::shared(user, current) : QStringList();
    arrived.removeIf([&previous](const QString &sense) { return EntryCollection::holds(previous, sense); });
    if (!own.addSenses(key, arrived, error))
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
    const QStringList senses = value.split(senseSeparator, Qt::SkipEmptyParts);
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
        if (ours && !own.addSenses(entry.key(), SenseMerge::shared(ours->value, entry.value()), error))
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

bool noteDigest(QSqlDatabase &db, const QString &digest, QString *error)
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

} // namespace

bool CopyUpdate::run(QSqlDatabase &db, EntryTable &table, EntryTable &own, bool recorded,
                     const EntryCollection &current, const EntryCollection &previous, QString *error)
{
    const QString digest = digestOf(current);
    bool already = false;
    if (!broughtAlready(db, digest, &already, error))
        return false;
    return already
           || ((recorded || recordEarlierImports(db, table, own, previous, error))
               && updateEntries(table, own, current, previous, error) && noteDigest(db, digest, error));
}

bool CopyUpdate::note(QSqlDatabase &db, const EntryCollection &entries, QString *error)
{
    return noteDigest(db, digestOf(entries), error);
}

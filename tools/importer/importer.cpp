// SPDX-License-Identifier: MIT
#include "tools/importer/importer.h"

#include "tools/importer/dictionarywriter.h"
#include "tools/importer/sensetext.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>
#include <QUuid>
#include <QVariant>

namespace {

QByteArray firstLineOf(const QByteArray &head)
{
    const qsizetype end = head.indexOf('\n');
    return end < 0 ? head : head.left(end);
}

// Whether an entry stays within maxEntryBytes with these senses added.
bool fitsWith(const EntryCollection &entries, const QString &key, const QStringList &senses)
{
    const Entry *entry = entries.find(key);
    const QString value = entry ? entry->value : QString();
    qsizetype characters = key.size() + value.size();
    for (const QString &sense : senses)
        characters += sense.size() + 1;
    // No character takes more than three bytes in UTF-8 (a surrogate pair
    // takes four for two), so almost every entry is settled here.
    if (characters * 3 <= maxEntryBytes)
        return true;
    qsizetype bytes = key.toUtf8().size() + value.toUtf8().size();
    for (const QString &sense : senses) {
        if (!EntryCollection::holds(value, sense))
            bytes += sense.toUtf8().size() + 1;
    }
    return bytes <= maxEntryBytes;
}

// One record of a source, or false with the reason.
bool parseRecord(const RecordReader &reader, const QByteArray &record, SourceFormat format, SourceRecord *parsed,
                 QString *reason)
{
    if (reader.unclosedQuote()) {
        *reason = QStringLiteral("unclosed quote");
        return false;
    }
    return format == SourceFormat::Tsv ? parseTsvRecord(record, parsed, reason)
                                       : parseSn2enRecord(record, parsed, reason);
}

} // namespace

Importer::Importer(const ImportOptions &options)
    : options(options)
{
}

// Keys are the text as a user types it; values are stored escaped.
void Importer::addRecord(const SourceRecord &record)
{
    const QStringList senses = SenseText::fromPlainTexts(record.sinhala);
    for (const QString &word : record.english) {
        forms.addHeadword(word);
        phrases.addHeadword(word);
        const QString key = word.toLower();
        for (const QString &sense : senses)
            collected.add(key, sense);
    }
    if (!options.reverse)
        return;
    const QStringList words = SenseText::fromPlainTexts(record.english);
    for (const QString &sense : record.sinhala) {
        const QString key = sense.toLower();
        for (const QString &word : words)
            collected.add(key, word);
    }
}

bool Importer::fitsEntries(const SourceRecord &record, QString *reason) const
{
    bool fits = true;
    const QStringList senses = SenseText::fromPlainTexts(record.sinhala);
    for (const QString &word : record.english)
        fits = fits && fitsWith(collected, word.toLower(), senses);
    if (options.reverse) {
        const QStringList words = SenseText::fromPlainTexts(record.english);
        for (const QString &sense : record.sinhala)
            fits = fits && fitsWith(collected, sense.toLower(), words);
    }
    if (!fits)
        *reason = QStringLiteral("makes an entry longer than %1 KiB").arg(maxEntryBytes / 1024);
    return fits;
}

void Importer::readExisting(const QString &databasePath)
{
    if (!options.forms || !QFileInfo(databasePath).isFile())
        return;
    const QString connection = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(databasePath);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(QStringLiteral("select key, value from dict"))) {
                while (query.next())
                    forms.addExistingEntry(query.value(0).toString(), query.value(1).toString());
            }
        }
    }
    QSqlDatabase::removeDatabase(connection);
}

// The phrase lines come last, so that no form copies its word's line.
void Importer::addForms()
{
    if (options.forms)
        forms.addForms(&collected);
    phrases.addLines(&collected);
}

// A dictionary file's entries as they stand, forms and reverse entries
// included: nothing is generated from them.
bool Importer::readDictionary(const QString &path, QTextStream &messages)
{
    const QString name = QStringLiteral("source-") + QUuid::createUuid().toString(QUuid::Id128);
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        QSqlQuery query(db);
        query.setForwardOnly(true);
        ok = db.open() && query.exec(QStringLiteral("select key, value from dict order by rowid"));
        if (!ok)
            messages << path
                     << ": cannot read its word list: " << (db.isOpen() ? query.lastError() : db.lastError()).text()
                     << Qt::endl;
        while (ok && query.next()) {
            collected.set(query.value(0).toString(), query.value(1).toString());
            ++lines;
        }
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

bool Importer::readSource(const QString &path, QTextStream &messages, bool showProgress)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        messages << path << ": cannot open: " << file.errorString() << Qt::endl;
        return false;
    }
    const QByteArray head = file.peek(4096);
    if (head.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return readDictionary(path, messages);
    const QString encoding = encodingProblem(head);
    if (!encoding.isEmpty())
        notes.append(QStringLiteral("%1 looks %2, not UTF-8: save it as UTF-8")
                         .arg(path, encoding == QLatin1String("UTF-16") ? QStringLiteral("like UTF-16")
                                                                        : QStringLiteral("to be in another encoding")));
    const SourceFormat detected = detectFormat(firstLineOf(head));
    const SourceFormat format = options.format.value_or(detected);
    RecordReader reader(&file, format);
    QByteArray record;
    // The CSV form opens with its header line; a TSV may have one too.
    const bool hasHeader =
        format == SourceFormat::Tsv ? isTsvHeader(firstLineOf(head)) : detected == SourceFormat::Sn2enCsv;
    if (hasHeader)
        reader.next(&record);
    const bool ok = readRecords(reader, format, path, messages, showProgress, !encoding.isEmpty());
    if (showProgress)
        messages << '\r' << path << ": " << reader.linesRead() << " lines" << Qt::endl;
    lines += reader.linesRead();
    return ok;
}

bool Importer::readRecords(RecordReader &reader, SourceFormat format, const QString &path, QTextStream &messages,
                           bool showProgress, bool encodingNoted)
{
    QByteArray record;
    SourceRecord parsed;
    QString reason;
    while (reader.next(&record)) {
        if (showProgress && reader.linesRead() % 65536 == 0)
            messages << '\r' << path << ": " << reader.linesRead() << " lines" << Qt::flush;
        if (record.trimmed().isEmpty() && !reader.unclosedQuote())
            continue;
        if (parseRecord(reader, record, format, &parsed, &reason) && fitsEntries(parsed, &reason)) {
            addRecord(parsed);
            continue;
        }
        messages << path << ':' << reader.lineNumber() << ": " << reason << (options.skipBad ? " (skipped)" : "")
                 << Qt::endl;
        ++skipped;
        if (!options.skipBad) {
            if (encodingNoted)
                messages << notes.constLast() << Qt::endl;
            return false;
        }
    }
    return true;
}

bool Importer::write(const QString &databasePath, QString *error, const EntryCollection *previous) const
{
    DictionaryWriter::Mode mode = DictionaryWriter::Mode::Merge;
    if (options.emptyFirst)
        mode = DictionaryWriter::Mode::Replace;
    else if (previous)
        mode = DictionaryWriter::Mode::Update;
    return DictionaryWriter::write(databasePath, collected,
                                   {mode, previous, options.force, ranks.isEmpty() ? nullptr : &ranks}, error);
}

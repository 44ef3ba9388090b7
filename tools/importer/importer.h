// SPDX-License-Identifier: MIT
#ifndef IMPORTER_H
#define IMPORTER_H

#include "tools/importer/entrycollection.h"
#include "tools/importer/formgenerator.h"
#include "tools/importer/keyranks.h"
#include "tools/importer/phraseline.h"
#include "tools/importer/sourceparser.h"

#include <QString>
#include <QStringList>

#include <optional>

class QTextStream;

struct ImportOptions
{
    std::optional<SourceFormat> format; // recognised per file when unset
    bool emptyFirst = false;            // --replace
    bool skipBad = false;               // --skip-bad
    bool reverse = true;                // Sinhala senses become keys too
    bool force = false;                 // --force: write into a file with other tables
    bool forms = true;                  // inflected forms become keys (--no-forms)
};

// Reads word lists into one collection of entries and writes it into a
// dictionary file. Every source is read before the file is touched, so a bad
// line stops the import with nothing written.
class Importer
{
public:
    explicit Importer(const ImportOptions &options);

    // Problems go to messages, one line each: "file:line: reason". With a
    // terminal for progress, a running count of lines is shown on it. A
    // dictionary file (SQLite) gives its word list as it is.
    bool readSource(const QString &path, QTextStream &messages, bool showProgress = false);
    // Merges the entries into the file, the file's senses first; with
    // `previous` (what the sources said when last written) a three-way
    // update instead: see DictionaryWriter.
    bool write(const QString &databasePath, QString *error, const EntryCollection *previous = nullptr) const;

    // Folds one parsed record into the entries, in both directions: its
    // words and senses are keys as written, and values HTML-escaped.
    void addRecord(const SourceRecord &record);
    // Whether the record keeps every entry it adds to within maxEntryBytes.
    bool fitsEntries(const SourceRecord &record, QString *reason) const;
    // Reads the headwords of the dictionary an import merges into, so that
    // forms are made as if they had been read too. A file that is missing
    // or unreadable gives none.
    void readExisting(const QString &databasePath);
    // Once every source is read: the inflected forms of the English
    // headwords and phrases, unless the options leave them out, and the
    // line of phrases after the senses of each word that heads some.
    void addForms();
    // How common words are (--ranks); without them keys rank shorter first.
    bool readRanks(const QString &path, QString *error) { return ranks.read(path, error); }

    const EntryCollection &entries() const { return collected; }
    qint64 linesRead() const { return lines; }
    qint64 linesSkipped() const { return skipped; }
    // "path: looks like UTF-16" for every source read that is not UTF-8.
    const QStringList &encodingNotes() const { return notes; }

private:
    bool readDictionary(const QString &path, QTextStream &messages);
    // The records after any header; a bad one stops the reading unless
    // skipBad, with the encoding note where there is one.
    bool readRecords(RecordReader &reader, SourceFormat format, const QString &path, QTextStream &messages,
                     bool showProgress, bool encodingNoted);

    ImportOptions options;
    EntryCollection collected;
    QStringList notes;
    FormGenerator forms;
    KeyRanks ranks;
    PhraseLine phrases;
    qint64 lines = 0;
    qint64 skipped = 0;
};

#endif

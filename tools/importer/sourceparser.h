// SPDX-License-Identifier: MIT
#ifndef SOURCEPARSER_H
#define SOURCEPARSER_H

#include <QByteArray>
#include <QString>
#include <QStringList>

class QIODevice;

// The two word-list forms the importer reads.
enum class SourceFormat {
    Tsv,      // english<TAB>sense|sense|...
    Sn2enCsv, // sinhala-headword,"english,english,...",
};

// Recognised from the first line: the Sinhala-to-English CSV starts with its
// header "word,definitions".
SourceFormat detectFormat(const QByteArray &firstLine);

// What one source record says: these English words (trimmed, as written)
// mean these Sinhala senses (trimmed, NFC), each list in source order.
struct SourceRecord
{
    QStringList english;
    QStringList sinhala;
};

// Parse one record (without its line end). On failure *reason says what is
// wrong: not UTF-8, the wrong number of columns, an empty word or sense, or
// one holding the sense separator "|".
bool parseTsvRecord(const QByteArray &record, SourceRecord *out, QString *reason);
bool parseSn2enRecord(const QByteArray &record, SourceRecord *out, QString *reason);

// Reads a source record by record. A CSV field in quotes may run over line
// ends; such a record is joined up to its closing quote.
class RecordReader
{
public:
    RecordReader(QIODevice *device, SourceFormat format);

    // False at the end of the source.
    bool next(QByteArray *record);
    // The line the last record started on, counted from 1.
    qint64 lineNumber() const { return startLine; }
    qint64 linesRead() const { return lines; }

private:
    bool readLine(QByteArray *line);

    QIODevice *device;
    SourceFormat format;
    qint64 lines = 0;
    qint64 startLine = 0;
};

#endif

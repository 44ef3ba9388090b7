// SPDX-License-Identifier: MIT
#ifndef SOURCEPARSER_H
#define SOURCEPARSER_H

#include <QByteArray>
#include <QList>
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

// Whether a TSV's first line is the header "english<TAB>sinhala".
bool isTsvHeader(const QByteArray &line);

// What a source's first bytes say about its encoding when it is not UTF-8:
// "UTF-16" (as Windows Notepad saves), "not UTF-8", or empty.
QString encodingProblem(const QByteArray &head);

// Limits that no real word list comes near; beyond them a line is bad. A
// value of megabytes would take the result view minutes to lay out.
inline constexpr qsizetype maxSenseLength = 1000;     // characters
inline constexpr qsizetype maxEntryBytes = 64 * 1024; // UTF-8, key and value
// A quoted CSV field running on past these is an unclosed quote.
inline constexpr qsizetype maxRecordLines = 1000;
inline constexpr qsizetype maxRecordBytes = 64 * 1024;

// What one source record says: these English words (trimmed, NFC, letter
// case as written) mean these Sinhala senses (trimmed, NFC), each list in
// source order. Both are plain text.
struct SourceRecord
{
    QStringList english;
    QStringList sinhala;
};

// Parse one record (without its line end). On failure *reason says what is
// wrong: not UTF-8, the wrong number of columns, an empty, overlong word or
// sense, or one holding the sense separator "|" or a control character.
bool parseTsvRecord(const QByteArray &record, SourceRecord *out, QString *reason);
bool parseSn2enRecord(const QByteArray &record, SourceRecord *out, QString *reason);

// Reads a source record by record. A CSV field in quotes may run over line
// ends; such a record is joined up to its closing quote. A quote that does
// not close within maxRecordLines or maxRecordBytes, or before the end,
// gives its opening line alone as the record, marked unclosed, and the lines
// after it are read again as records of their own: one stray quote costs
// one record, not the rest of the file.
class RecordReader
{
public:
    RecordReader(QIODevice *device, SourceFormat format);

    // False at the end of the source.
    bool next(QByteArray *record);
    // Whether the last record opened a quote that never closed.
    bool unclosedQuote() const { return unclosed; }
    // The line the last record started on, counted from 1.
    qint64 lineNumber() const { return startLine; }
    qint64 linesRead() const { return lines; }

private:
    bool readLine(QByteArray *line);

    QIODevice *device;
    SourceFormat format;
    QList<QByteArray> replay; // lines given back after an unclosed quote
    qint64 lines = 0;
    qint64 startLine = 0;
    bool unclosed = false;
};

#endif

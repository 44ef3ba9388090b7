// SPDX-License-Identifier: MIT
#include "sourceparser.h"

#include <QIODevice>
#include <QStringDecoder>

namespace {

const QChar separator = QLatin1Char('|');
const QChar zeroWidthSpace = QChar(0x200B);

bool decodeUtf8(const QByteArray &bytes, QString *text, QString *reason)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    *text = decoder.decode(bytes);
    if (!decoder.hasError())
        return true;
    *reason = QStringLiteral("not valid UTF-8");
    return false;
}

bool makeWord(const QString &text, QString *word, QString *reason)
{
    *word = text.trimmed();
    if (word->isEmpty()) {
        *reason = QStringLiteral("empty key");
        return false;
    }
    if (word->contains(separator)) {
        *reason = QStringLiteral("key \"%1\" holds \"|\"").arg(*word);
        return false;
    }
    return true;
}

bool makeSense(const QString &text, QString *sense, QString *reason)
{
    *sense = text.trimmed().normalized(QString::NormalizationForm_C);
    if (sense->isEmpty()) {
        *reason = QStringLiteral("empty sense");
        return false;
    }
    if (sense->contains(separator)) {
        *reason = QStringLiteral("sense \"%1\" holds \"|\"").arg(*sense);
        return false;
    }
    return true;
}

// Splits a CSV record into fields, honouring double quotes ("" inside
// quotes is one quote).
QStringList splitCsv(const QString &record)
{
    QStringList fields;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < record.size(); ++i) {
        const QChar c = record.at(i);
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < record.size() && record.at(i + 1) == QLatin1Char('"')) {
                field.append(c);
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                field.append(c);
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            fields.append(field);
            field.clear();
        } else {
            field.append(c);
        }
    }
    fields.append(field);
    return fields;
}

// The Sinhala headword as a sense: words joined by '-' are spaced again and
// the stray zero-width space goes; zero-width joiners are spelling and stay.
QString headwordSense(QString headword)
{
    headword.remove(zeroWidthSpace);
    headword.replace(QLatin1Char('-'), QLatin1Char(' '));
    return headword;
}

} // namespace

SourceFormat detectFormat(const QByteArray &firstLine)
{
    QByteArray line = firstLine;
    if (line.startsWith("\xEF\xBB\xBF"))
        line.remove(0, 3);
    return line.trimmed().startsWith("word,definitions") ? SourceFormat::Sn2enCsv : SourceFormat::Tsv;
}

bool parseTsvRecord(const QByteArray &record, SourceRecord *out, QString *reason)
{
    *out = SourceRecord();
    QString text;
    if (!decodeUtf8(record, &text, reason))
        return false;
    const QStringList columns = text.split(QLatin1Char('\t'));
    if (columns.size() != 2) {
        *reason = QStringLiteral("expected 2 tab-separated columns, found %1").arg(columns.size());
        return false;
    }
    QString word;
    if (!makeWord(columns.at(0), &word, reason))
        return false;
    out->english.append(word);
    const QStringList pieces = columns.at(1).split(separator);
    for (const QString &piece : pieces) {
        QString sense;
        if (!makeSense(piece, &sense, reason))
            return false;
        out->sinhala.append(sense);
    }
    return true;
}

bool parseSn2enRecord(const QByteArray &record, SourceRecord *out, QString *reason)
{
    *out = SourceRecord();
    QString text;
    if (!decodeUtf8(record, &text, reason))
        return false;
    QStringList columns = splitCsv(text);
    if (columns.size() < 2) {
        *reason = QStringLiteral("expected at least 2 comma-separated columns, found %1").arg(columns.size());
        return false;
    }
    QString sense;
    if (!makeSense(headwordSense(columns.takeFirst()), &sense, reason))
        return false;
    out->sinhala.append(sense);
    // Normally one quoted list and an empty third column; a list that lost
    // its quotes spills over the later columns and is read as one list.
    while (!columns.isEmpty() && columns.last().trimmed().isEmpty())
        columns.removeLast();
    const QStringList words = columns.join(QLatin1Char(',')).split(QLatin1Char(','));
    for (const QString &text : words) {
        QString word;
        if (!makeWord(text, &word, reason))
            return false;
        out->english.append(word);
    }
    return true;
}

RecordReader::RecordReader(QIODevice *device, SourceFormat format)
    : device(device)
    , format(format)
{
}

bool RecordReader::readLine(QByteArray *line)
{
    if (device->atEnd())
        return false;
    *line = device->readLine();
    ++lines;
    while (line->endsWith('\n') || line->endsWith('\r'))
        line->chop(1);
    return true;
}

bool RecordReader::next(QByteArray *record)
{
    if (!readLine(record))
        return false;
    startLine = lines;
    if (format != SourceFormat::Sn2enCsv)
        return true;
    // An odd number of quotes means a quoted field runs on to the next line.
    QByteArray more;
    while (record->count('"') % 2 != 0 && readLine(&more)) {
        record->append('\n');
        record->append(more);
    }
    return true;
}

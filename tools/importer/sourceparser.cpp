// SPDX-License-Identifier: MIT
#include "tools/importer/sourceparser.h"

#include "format/resultformat.h"

#include <QIODevice>
#include <QStringDecoder>

#include <algorithm>

namespace {

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

bool isControl(QChar c)
{
    return c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F);
}

// A key or sense that could never be typed or shown: empty, holding the
// separator or a control character (a NUL, a stray line end), or overlong.
bool checkText(const QString &text, const char *what, QString *reason)
{
    if (text.isEmpty()) {
        *reason = QStringLiteral("empty %1").arg(QLatin1String(what));
        return false;
    }
    if (text.contains(senseSeparator)) {
        *reason = QStringLiteral("%1 \"%2\" holds \"|\"").arg(QLatin1String(what), text);
        return false;
    }
    const auto control = std::find_if(text.cbegin(), text.cend(), isControl);
    if (control != text.cend()) {
        *reason = QStringLiteral("%1 holds the control character U+%2")
                      .arg(QLatin1String(what))
                      .arg(control->unicode(), 4, 16, QLatin1Char('0'));
        return false;
    }
    if (text.size() > maxSenseLength) {
        *reason = QStringLiteral("%1 longer than %2 characters").arg(QLatin1String(what)).arg(maxSenseLength);
        return false;
    }
    return true;
}

// Composed, as every lookup is: "café" written e + U+0301 is found.
bool makeWord(const QString &text, QString *word, QString *reason)
{
    *word = text.trimmed().normalized(QString::NormalizationForm_C);
    return checkText(*word, "key", reason);
}

bool makeSense(const QString &text, QString *sense, QString *reason)
{
    *sense = text.trimmed().normalized(QString::NormalizationForm_C);
    return checkText(*sense, "sense", reason);
}

bool checkLength(const QByteArray &record, QString *reason)
{
    if (record.size() <= maxEntryBytes)
        return true;
    *reason = QStringLiteral("line longer than %1 KiB").arg(maxEntryBytes / 1024);
    return false;
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

bool isTsvHeader(const QByteArray &line)
{
    QByteArray text = line;
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    const QList<QByteArray> columns = text.toLower().split('\t');
    return columns.size() == 2 && columns.at(0).trimmed() == "english" && columns.at(1).trimmed() == "sinhala";
}

QString encodingProblem(const QByteArray &head)
{
    if (head.startsWith("\xFF\xFE") || head.startsWith("\xFE\xFF"))
        return QStringLiteral("UTF-16");
    // Latin letters in UTF-16 are every other byte a NUL.
    if (!head.isEmpty() && head.count('\0') * 4 >= head.size())
        return QStringLiteral("UTF-16");
    // Stateful, so a character cut at the end of the head is no error.
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(head);
    return decoder.hasError() ? QStringLiteral("not UTF-8") : QString();
}

bool parseTsvRecord(const QByteArray &record, SourceRecord *out, QString *reason)
{
    *out = SourceRecord();
    QString text;
    if (!checkLength(record, reason) || !decodeUtf8(record, &text, reason))
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
    const QStringList pieces = columns.at(1).split(senseSeparator);
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
    if (!checkLength(record, reason) || !decodeUtf8(record, &text, reason))
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
    if (!replay.isEmpty()) {
        *line = replay.takeFirst();
    } else {
        if (device->atEnd())
            return false;
        *line = device->readLine();
        while (line->endsWith('\n') || line->endsWith('\r'))
            line->chop(1);
    }
    ++lines;
    return true;
}

bool RecordReader::next(QByteArray *record)
{
    unclosed = false;
    if (!readLine(record))
        return false;
    startLine = lines;
    // An odd number of quotes means a quoted field runs on to the next line.
    if (format != SourceFormat::Sn2enCsv || record->count('"') % 2 == 0)
        return true;
    QList<QByteArray> following;
    qsizetype size = record->size();
    QByteArray more;
    while (following.size() + 1 < maxRecordLines && size <= maxRecordBytes && readLine(&more)) {
        following.append(more);
        size += more.size() + 1;
        if (more.count('"') % 2 != 0) {
            for (const QByteArray &line : std::as_const(following)) {
                record->append('\n');
                record->append(line);
            }
            return true;
        }
    }
    unclosed = true;
    lines -= following.size();
    replay = following + replay;
    return true;
}

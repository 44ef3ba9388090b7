// SPDX-License-Identifier: MIT
#include "importer.h"

#include "dictionarywriter.h"

#include <QFile>
#include <QTextStream>

namespace {

QByteArray firstLineOf(QIODevice &device)
{
    const QByteArray head = device.peek(4096);
    const qsizetype end = head.indexOf('\n');
    return end < 0 ? head : head.left(end);
}

} // namespace

Importer::Importer(const ImportOptions &options)
    : options(options)
{
}

void Importer::addRecord(const SourceRecord &record)
{
    for (const QString &word : record.english) {
        forms.addHeadword(word);
        const QString key = word.toLower();
        for (const QString &sense : record.sinhala)
            collected.add(key, sense);
    }
    if (!options.reverse)
        return;
    for (const QString &sense : record.sinhala) {
        const QString key = sense.toLower();
        for (const QString &word : record.english)
            collected.add(key, word);
    }
}

void Importer::addForms()
{
    if (options.forms)
        forms.addForms(&collected);
}

bool Importer::readSource(const QString &path, QTextStream &messages, bool showProgress)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        messages << path << ": cannot open: " << file.errorString() << Qt::endl;
        return false;
    }
    const SourceFormat detected = detectFormat(firstLineOf(file));
    const SourceFormat format = options.format.value_or(detected);
    RecordReader reader(&file, format);
    QByteArray record;
    // The CSV form opens with its header line.
    if (format == SourceFormat::Sn2enCsv && detected == SourceFormat::Sn2enCsv)
        reader.next(&record);

    SourceRecord parsed;
    QString reason;
    bool ok = true;
    while (reader.next(&record)) {
        if (showProgress && reader.linesRead() % 65536 == 0)
            messages << '\r' << path << ": " << reader.linesRead() << " lines" << Qt::flush;
        if (record.trimmed().isEmpty())
            continue;
        const bool good = format == SourceFormat::Tsv ? parseTsvRecord(record, &parsed, &reason)
                                                      : parseSn2enRecord(record, &parsed, &reason);
        if (good) {
            addRecord(parsed);
            continue;
        }
        messages << path << ':' << reader.lineNumber() << ": " << reason << (options.skipBad ? " (skipped)" : "")
                 << Qt::endl;
        ++skipped;
        if (!options.skipBad) {
            ok = false;
            break;
        }
    }
    if (showProgress)
        messages << '\r' << path << ": " << reader.linesRead() << " lines" << Qt::endl;
    lines += reader.linesRead();
    return ok;
}

bool Importer::write(const QString &databasePath, QString *error) const
{
    return DictionaryWriter::write(databasePath, collected.entries(), options.emptyFirst, error);
}

// SPDX-License-Identifier: MIT
// The importer's reader and both line parsers on arbitrary bytes: no crash,
// and whatever they accept keeps the rules a dictionary relies on.
#include "tools/importer/sourceparser.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

namespace {

void check(const SourceRecord &record)
{
    for (const QString &word : record.english) {
        if (word.isEmpty() || word.contains(QLatin1Char('|')) || word != word.trimmed())
            std::abort();
    }
    for (const QString &sense : record.sinhala) {
        if (sense.isEmpty() || sense.contains(QLatin1Char('|')))
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const SourceFormat format : {SourceFormat::Tsv, SourceFormat::Sn2enCsv}) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        RecordReader reader(&buffer, format);
        QByteArray line;
        SourceRecord record;
        QString reason;
        while (reader.next(&line)) {
            const bool ok = format == SourceFormat::Tsv ? parseTsvRecord(line, &record, &reason)
                                                        : parseSn2enRecord(line, &record, &reason);
            if (ok)
                check(record);
            else if (reason.isEmpty())
                std::abort();
        }
    }
    (void)detectFormat(bytes);
    return 0;
}

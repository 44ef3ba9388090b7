// SPDX-License-Identifier: MIT
// The importer's reader and both line parsers on arbitrary bytes: no crash,
// and whatever they accept keeps the rules a dictionary relies on.
#include "tools/importer/sourceparser.h"

#include <QBuffer>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

bool acceptable(const QString &text)
{
    if (text.isEmpty() || text.size() > maxSenseLength || text.contains(QLatin1Char('|')))
        return false;
    return std::none_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
}

void check(const SourceRecord &record)
{
    for (const QString &word : record.english) {
        if (!acceptable(word) || word != word.trimmed())
            std::abort();
    }
    for (const QString &sense : record.sinhala) {
        if (!acceptable(sense))
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
        qint64 previousLine = 0;
        while (reader.next(&line)) {
            // Every line is read once, also after an unclosed quote.
            if (reader.lineNumber() <= previousLine)
                std::abort();
            previousLine = reader.lineNumber();
            const bool ok = format == SourceFormat::Tsv ? parseTsvRecord(line, &record, &reason)
                                                        : parseSn2enRecord(line, &record, &reason);
            if (ok)
                check(record);
            else if (reason.isEmpty())
                std::abort();
        }
    }
    (void)detectFormat(bytes);
    (void)isTsvHeader(bytes);
    (void)encodingProblem(bytes);
    return 0;
}

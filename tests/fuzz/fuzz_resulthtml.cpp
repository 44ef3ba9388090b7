// SPDX-License-Identifier: MIT
// Splitting an entry into senses and building both result pages from any
// text: one line break per sense, and every history word as one link.
#include "format/resultformat.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString entry = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString senses = senseListHtml(entry);
    if (senses.count(QLatin1String("<br />")) < entry.count(QLatin1Char('|')) + 1)
        std::abort();

    const QStringList words = entry.split(QLatin1Char('\n'));
    const QString history = historyListHtml(words);
    if (history.count(QLatin1String("</a><br/>")) != words.size())
        std::abort();
    // The link text is escaped: no markup of the word's own survives.
    for (const QString &word : words) {
        if (!history.contains(QLatin1String("'>") + word.toHtmlEscaped() + QLatin1String("</a>")))
            std::abort();
    }
    return 0;
}

// SPDX-License-Identifier: MIT
// Any word encodes to a link target that comes back as the same word, and
// any string at all decodes without a crash.
#include "format/resultformat.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString word = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    if (wordFromLink(QUrl(linkTargetForWord(word))) != word)
        std::abort();
    (void)wordFromLink(QUrl(word));
    (void)wordFromLink(QUrl::fromEncoded(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size))));
    return 0;
}

// SPDX-License-Identifier: MIT
#ifndef DICTIONARYWRITER_H
#define DICTIONARYWRITER_H

#include "entrycollection.h"

#include <QString>
#include <QStringList>

// Writes entries into a dictionary file as one transaction: either all of
// them land or the file is left exactly as it was. A new file is built
// beside its final name and moved there only once it is complete.
class DictionaryWriter
{
public:
    // The statements that create the tables where they are missing.
    static QStringList schemaStatements();

    // Replaces the entries it writes and keeps the others, unless
    // emptyFirst; the history is never touched.
    static bool write(const QString &path, const QList<Entry> &entries, bool emptyFirst, QString *error);
};

#endif

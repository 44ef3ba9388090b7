// SPDX-License-Identifier: MIT
#ifndef DICTIONARYWRITER_H
#define DICTIONARYWRITER_H

#include "tools/importer/entrycollection.h"

class KeyRanks;

#include <QString>
#include <QStringList>

// Writes entries into a dictionary file as one transaction: either all of
// them land or the file is left exactly as it was. A new file is built
// beside its final name and moved there only once it is complete.
class DictionaryWriter
{
public:
    enum class Mode {
        Merge,   // an entry in the file keeps its senses first; new ones follow
        Replace, // the word list is emptied first
        Update,  // three-way, from the previous entries to these (SenseMerge::updated)
    };
    struct Options
    {
        Mode mode = Mode::Merge;
        const EntryCollection *previous = nullptr; // for Update
        bool force = false;                        // write into a file with other tables but no dict
        const KeyRanks *ranks = nullptr;           // how common words are, for keyrank
    };

    // The statements that create the tables where they are missing.
    static QStringList schemaStatements();

    // Writes the entries; the history is never touched. An Update leaves
    // every key that our list did not change as it is in the file.
    static bool write(const QString &path, const EntryCollection &entries, const Options &options, QString *error);
};

#endif

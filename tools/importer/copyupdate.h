// SPDX-License-Identifier: MIT
#ifndef COPYUPDATE_H
#define COPYUPDATE_H

#include "tools/importer/entrycollection.h"

#include <QString>

class EntryTable;
class QSqlDatabase;

// A three-way update of a user's copy from our previous dictionary to the
// current one, inside the caller's transaction. A sense leaves only when
// nothing but our previous dictionary gave it: the record of the user's
// imports (a table shaped like the word list) keeps what they brought too.
// The copy notes what it was updated to, so the same update run again
// changes nothing.
class CopyUpdate
{
public:
    // `table` is the word list, `own` the record. Without a record (a copy
    // from before it was kept) it is first inferred from the copy: an entry
    // with a sense that neither our previous dictionary gave it nor the
    // words its links point to was touched by an import, and is kept whole,
    // with the entries its links point to.
    static bool run(QSqlDatabase &db, EntryTable &table, EntryTable &own, bool recorded, const EntryCollection &current,
                    const EntryCollection &previous, QString *error);
    // Notes the file as updated to these entries (a new file is).
    static bool note(QSqlDatabase &db, const EntryCollection &entries, QString *error);
};

#endif

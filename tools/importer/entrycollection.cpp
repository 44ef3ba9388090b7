// SPDX-License-Identifier: MIT
#include "entrycollection.h"

void EntryCollection::add(const QString &key, const QString &sense)
{
    const auto found = index.constFind(key);
    if (found == index.constEnd()) {
        index.insert(key, list.size());
        list.append(Entry{key, QStringList{sense}});
        ++senses;
        return;
    }
    QStringList &existing = list[found.value()].senses;
    if (existing.contains(sense))
        return;
    existing.append(sense);
    ++senses;
}

// SPDX-License-Identifier: MIT
#include "tools/importer/entrycollection.h"

bool EntryCollection::holds(const QString &value, const QString &sense)
{
    for (qsizetype at = value.indexOf(sense); at >= 0; at = value.indexOf(sense, at + 1)) {
        const qsizetype end = at + sense.size();
        const bool startsPart = at == 0 || value.at(at - 1) == senseSeparator;
        const bool endsPart = end == value.size() || value.at(end) == senseSeparator;
        if (startsPart && endsPart)
            return true;
    }
    return false;
}

const Entry *EntryCollection::find(const QString &key) const
{
    const auto found = index.constFind(key);
    return found == index.constEnd() ? nullptr : &list.at(found.value());
}

void EntryCollection::add(const QString &key, const QString &sense)
{
    const auto found = index.constFind(key);
    if (found == index.constEnd()) {
        index.insert(key, list.size());
        list.append(Entry{key, sense});
        ++senses;
        return;
    }
    QString &value = list[found.value()].value;
    if (holds(value, sense))
        return;
    value += senseSeparator;
    value += sense;
    ++senses;
}

void EntryCollection::set(const QString &key, const QString &value)
{
    const qsizetype count = value.count(senseSeparator) + 1;
    const auto found = index.constFind(key);
    if (found == index.constEnd()) {
        index.insert(key, list.size());
        list.append(Entry{key, value});
    } else {
        Entry &entry = list[found.value()];
        senses -= entry.value.count(senseSeparator) + 1;
        entry.value = value;
    }
    senses += count;
}

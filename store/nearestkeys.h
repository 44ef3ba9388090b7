// SPDX-License-Identifier: MIT
#ifndef NEARESTKEYS_H
#define NEARESTKEYS_H

#include <QString>
#include <QStringList>

#include <vector>

// The keys of a dictionary held compactly (UTF-16 in one pool, grouped by
// length) to find those within two edits of a word, a swap of neighbouring
// letters counting as one edit.
class NearestKeys
{
public:
    // Keys longer than this are left out: nobody misspells a whole sentence.
    static constexpr int maxLength = 40;

    // Keys with a rank each (smaller is more common); then finish().
    void add(const QString &key, int rank);
    void finish();

    // Up to `limit` keys within two edits, not the word itself: the likelier slips first (a
    // doubled letter, a vowel for a vowel, two letters swapped; the first
    // letter seldom), then the more common, then the shorter.
    QStringList nearest(const QString &word, int limit) const;

    // How likely a slip turns `b`, the word intended, into `a`, the word
    // typed; smaller is likelier.
    static int slipCost(QStringView a, QStringView b);

    qsizetype size() const { return qsizetype(items.size()); }
    // The memory the index takes.
    qsizetype bytes() const;

private:
    struct Item
    {
        quint32 offset;
        quint16 length;
        quint16 rank;
    };
    QStringView keyOf(const Item &item) const;

    std::vector<char16_t> pool;
    std::vector<Item> items;
    // Where the items of each length begin, and one past the last.
    std::vector<quint32> lengthStart;
};

#endif

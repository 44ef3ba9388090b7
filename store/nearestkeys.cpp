// SPDX-License-Identifier: MIT
#include "store/nearestkeys.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <tuple>

namespace {

constexpr int maxEdits = 2;
constexpr int rowSize = NearestKeys::maxLength + maxEdits + 2;

// Whether a and b are at most maxEdits apart (optimal string alignment: an
// insertion, deletion, substitution or swap of neighbours is one edit).
// Only the band of cells that can stay within the bound is filled, and the
// search stops as soon as a whole row exceeds it.
bool withinTwoEdits(QStringView a, QStringView b)
{
    const int n = int(a.size());
    const int m = int(b.size());
    if (std::abs(n - m) > maxEdits)
        return false;
    constexpr int far = maxEdits + 1;
    std::array<std::array<int, rowSize>, 3> rows{};
    int *before = rows[0].data();
    int *previous = rows[1].data();
    int *current = rows[2].data();
    for (int j = 0; j <= m; ++j)
        previous[j] = std::min(j, far);
    for (int i = 1; i <= n; ++i) {
        const int from = std::max(1, i - maxEdits);
        const int to = std::min(m, i + maxEdits);
        current[0] = std::min(i, far);
        if (from > 1)
            current[from - 1] = far;
        int rowBest = current[0];
        for (int j = from; j <= to; ++j) {
            const int cost = a[i - 1] == b[j - 1] ? 0 : 1;
            int value = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                value = std::min(value, before[j - 2] + 1);
            current[j] = std::min(value, far);
            rowBest = std::min(rowBest, current[j]);
        }
        if (to < m)
            current[to + 1] = far;
        if (rowBest > maxEdits)
            return false;
        int *oldest = before;
        before = previous;
        previous = current;
        current = oldest;
    }
    return previous[m] <= maxEdits;
}

bool isVowel(QChar c)
{
    return QStringView(u"aeiouy").contains(c);
}

// A letter dropped or added beside its twin (acomodate, untill) is the
// commonest slip; letters swapped and vowels confused come next. An
// apostrophe makes another word (tomato's for tomatos) more often than it
// mends one.
int dropCost(QStringView s, int i)
{
    const bool doubled = (i > 0 && s[i - 1] == s[i]) || (i + 1 < s.size() && s[i + 1] == s[i]);
    if (doubled)
        return 1;
    return s[i] == QLatin1Char('\'') ? 4 : 3;
}

} // namespace

// How likely a slip turns b into a; smaller is likelier.
int NearestKeys::slipCost(QStringView a, QStringView b)
{
    const int n = int(a.size());
    const int m = int(b.size());
    std::vector<int> table(std::size_t(n + 1) * std::size_t(m + 1));
    const auto at = [&](int i, int j) -> int & { return table[std::size_t(i) * std::size_t(m + 1) + std::size_t(j)]; };
    for (int i = 1; i <= n; ++i)
        at(i, 0) = at(i - 1, 0) + dropCost(a, i - 1);
    for (int j = 1; j <= m; ++j)
        at(0, j) = at(0, j - 1) + dropCost(b, j - 1);
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= m; ++j) {
            const QChar x = a[i - 1];
            const QChar y = b[j - 1];
            const int substitution = x == y ? 0 : (isVowel(x) && isVowel(y) ? 2 : 4);
            int value = std::min({at(i - 1, j) + dropCost(a, i - 1), at(i, j - 1) + dropCost(b, j - 1),
                                  at(i - 1, j - 1) + substitution});
            if (i > 1 && j > 1 && x == b[j - 2] && a[i - 2] == y)
                value = std::min(value, at(i - 2, j - 2) + 2);
            // A letter typed two places early or late (tounge for tongue).
            if (i > 2 && j > 2) {
                const bool late = a[i - 3] == y && a[i - 2] == b[j - 3] && x == b[j - 2];
                const bool early = x == b[j - 3] && a[i - 3] == b[j - 2] && a[i - 2] == y;
                if (late || early)
                    value = std::min(value, at(i - 3, j - 3) + 3);
            }
            at(i, j) = value;
        }
    }
    const bool firstDiffers = n > 0 && m > 0 && a[0] != b[0];
    return at(n, m) + (firstDiffers ? 2 : 0);
}

void NearestKeys::add(const QString &key, int rank)
{
    // The typographic apostrophe's twins would only repeat their ASCII keys.
    if (key.isEmpty() || key.size() > maxLength || key.contains(QChar(0x2019)))
        return;
    items.push_back({quint32(pool.size()), quint16(key.size()), quint16(std::clamp(rank, 0, 0xFFFF))});
    pool.insert(pool.end(), key.utf16(), key.utf16() + key.size());
}

void NearestKeys::finish()
{
    std::stable_sort(items.begin(), items.end(), [](const Item &a, const Item &b) { return a.length < b.length; });
    lengthStart.assign(maxLength + 2, quint32(items.size()));
    for (qsizetype i = qsizetype(items.size()) - 1; i >= 0; --i)
        lengthStart[items[i].length] = quint32(i);
    for (int length = maxLength; length >= 0; --length)
        lengthStart[length] = std::min(lengthStart[length], lengthStart[length + 1]);
    pool.shrink_to_fit();
    items.shrink_to_fit();
}

QStringView NearestKeys::keyOf(const Item &item) const
{
    return QStringView(pool.data() + item.offset, item.length);
}

QStringList NearestKeys::nearest(const QString &word, int limit) const
{
    if (word.isEmpty() || word.size() > maxLength || lengthStart.empty())
        return {};
    const int shortest = std::max(1, int(word.size()) - maxEdits);
    const int longest = std::min(maxLength, int(word.size()) + maxEdits);
    // (slip cost, rank, length, key)
    std::vector<std::tuple<int, int, int, QStringView>> found;
    for (quint32 i = lengthStart[shortest]; i < lengthStart[longest + 1]; ++i) {
        const QStringView key = keyOf(items[i]);
        if (key != word && withinTwoEdits(word, key))
            found.emplace_back(slipCost(word, key), items[i].rank, int(key.size()), key);
    }
    std::sort(found.begin(), found.end());
    QStringList keys;
    for (qsizetype i = 0; i < qsizetype(found.size()) && keys.size() < limit; ++i)
        keys.append(std::get<3>(found[i]).toString());
    return keys;
}

qsizetype NearestKeys::bytes() const
{
    const std::size_t bytes =
        pool.capacity() * sizeof(char16_t) + items.capacity() * sizeof(Item) + lengthStart.capacity() * sizeof(quint32);
    return qsizetype(bytes);
}

// SPDX-License-Identifier: MIT
#include "spellingsuggester.h"

#include "store/dictionarystore.h"
#include "store/nearestkeys.h"

#include <QFileInfo>

#include <algorithm>

#ifdef ORVANTA_HUNSPELL
#include <hunspell/hunspell.hxx>

namespace {

// The key's rank, or -1 for a word that is no key.
int rankOfKey(const QString &word)
{
    int rank = -1;
    QString error;
    DictionaryStore::rankOfKey(word, &rank, &error);
    return rank;
}

} // namespace

// One checker per script, each loaded when a word of its script first needs it.
struct SpellingSuggester::Hunspells
{
    std::unique_ptr<Hunspell> english;
    std::unique_ptr<Hunspell> sinhala;
    bool englishTried = false;
    bool sinhalaTried = false;

    static std::unique_ptr<Hunspell> load(const QStringList &names)
    {
        for (const QString &name : names) {
            const QString base = QStringLiteral("/usr/share/hunspell/") + name;
            const QString aff = base + QStringLiteral(".aff");
            const QString dic = base + QStringLiteral(".dic");
            if (QFileInfo::exists(aff) && QFileInfo::exists(dic))
                return std::make_unique<Hunspell>(QFile::encodeName(aff).constData(),
                                                  QFile::encodeName(dic).constData());
        }
        return nullptr;
    }

    Hunspell *checkerFor(const QString &word)
    {
        if (DictionaryStore::isSinhalaKey(word)) {
            if (!std::exchange(sinhalaTried, true))
                sinhala = load({QStringLiteral("si_LK")});
            return sinhala.get();
        }
        if (!std::exchange(englishTried, true))
            english = load({QStringLiteral("en_US"), QStringLiteral("en_GB")});
        return english.get();
    }
};
#else
struct SpellingSuggester::Hunspells
{
};
#endif

SpellingSuggester::SpellingSuggester(Checker checker)
    : checker(checker)
{
}

SpellingSuggester::~SpellingSuggester() = default;

bool SpellingSuggester::builtWithHunspell()
{
#ifdef ORVANTA_HUNSPELL
    return true;
#else
    return false;
#endif
}

qsizetype SpellingSuggester::indexBytes() const
{
    return index ? index->bytes() : 0;
}

// Our own search first: it finds a slip of one or two letters in a few
// milliseconds where Hunspell takes tens; Hunspell for what lies further.
QStringList SpellingSuggester::suggestions(const QString &word, int limit)
{
    QStringList found = ownSuggestions(word, limit);
    if (!found.isEmpty() || checker != Checker::WithHunspell)
        return found;
    return hunspellSuggestions(word, limit);
}

Hunspell *SpellingSuggester::checkerFor(const QString &word)
{
#ifdef ORVANTA_HUNSPELL
    if (checker != Checker::WithHunspell)
        return nullptr;
    if (!hunspells)
        hunspells = std::make_unique<Hunspells>();
    return hunspells->checkerFor(word);
#else
    Q_UNUSED(word);
    return nullptr;
#endif
}

bool SpellingSuggester::isKnownWord(const QString &word)
{
#ifdef ORVANTA_HUNSPELL
    Hunspell *spell = checkerFor(word);
    return spell && spell->spell(word.toStdString());
#else
    Q_UNUSED(word);
    return false;
#endif
}

QStringList SpellingSuggester::hunspellSuggestions(const QString &word, int limit)
{
    QStringList keys;
#ifdef ORVANTA_HUNSPELL
    Hunspell *spell = checkerFor(word);
    if (!spell)
        return keys;
    // Both dictionaries Debian ships are in UTF-8.
    const std::vector<std::string> suggested = spell->suggest(word.toStdString());
    // Its order (likeliest first) within each rank: the more common first.
    QList<QPair<int, QString>> ranked;
    for (const std::string &suggestion : suggested) {
        const QString key = QString::fromStdString(suggestion).toLower();
        const int rank = keys.contains(key) ? -1 : rankOfKey(key);
        if (rank >= 0) {
            keys.append(key);
            ranked.append({rank, key});
        }
    }
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    keys.clear();
    for (qsizetype i = 0; i < ranked.size() && i < limit; ++i)
        keys.append(ranked.at(i).second);
#else
    Q_UNUSED(word);
    Q_UNUSED(limit);
#endif
    return keys;
}

QStringList SpellingSuggester::ownSuggestions(const QString &word, int limit)
{
    if (!index) {
        index = std::make_unique<NearestKeys>();
        QString error;
        DictionaryStore::forEachKey([this](const QString &key, int rank) { index->add(key, rank); }, &error);
        index->finish();
    }
    return index->nearest(word, limit);
}

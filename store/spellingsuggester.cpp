// SPDX-License-Identifier: MIT
#include "store/spellingsuggester.h"

#include "store/dictionarystore.h"
#include "store/nearestkeys.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <tuple>

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
            const QString base = dictionaryDirectory() + QLatin1Char('/') + name;
            if (QFileInfo::exists(base + QStringLiteral(".aff")) && QFileInfo::exists(base + QStringLiteral(".dic")))
                return loadWithoutNgrams(base);
        }
        return nullptr;
    }

    // Beside the program on Windows, where the installer puts them; where
    // Debian's packages install them elsewhere.
    static QString dictionaryDirectory()
    {
#ifdef Q_OS_WIN
        return QCoreApplication::applicationDirPath() + QStringLiteral("/hunspell");
#else
        return QStringLiteral("/usr/share/hunspell");
#endif
    }

    // Hunspell's n-gram pass reads its whole word list for every miss (about
    // 30 ms); its edit pass alone finds the slips people make in a few. The
    // affix file is read with that pass turned off, from a private copy that
    // lives only while Hunspell reads it.
    static std::unique_ptr<Hunspell> loadWithoutNgrams(const QString &base)
    {
        QFile original(base + QStringLiteral(".aff"));
        QTemporaryDir directory;
        QFile copy(directory.filePath(QStringLiteral("checker.aff")));
        if (!directory.isValid() || !original.open(QIODevice::ReadOnly) || !copy.open(QIODevice::WriteOnly))
            return nullptr;
        while (!original.atEnd()) {
            const QByteArray line = original.readLine();
            if (!line.startsWith("MAXNGRAMSUGS"))
                copy.write(line);
        }
        copy.write("\nMAXNGRAMSUGS 0\n");
        copy.close();
        return std::make_unique<Hunspell>(QFile::encodeName(copy.fileName()).constData(),
                                          QFile::encodeName(base + QStringLiteral(".dic")).constData());
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

// Hunspell first: its affix rules and known misspellings reach further than
// a count of edits; our own search where it offers no key.
QStringList SpellingSuggester::suggestions(const QString &word, int limit)
{
    QStringList found = hunspellSuggestions(word, limit);
    if (!found.isEmpty())
        return found;
    return ownSuggestions(word, limit);
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
    // The likelier slip first, then the more common, as our own search orders.
    QList<std::tuple<int, int, QString>> ranked;
    for (const std::string &suggestion : suggested) {
        const QString key = QString::fromStdString(suggestion).toLower();
        const int rank = keys.contains(key) ? -1 : rankOfKey(key);
        if (rank >= 0) {
            keys.append(key);
            ranked.append({NearestKeys::slipCost(word, key), rank, key});
        }
    }
    std::stable_sort(ranked.begin(), ranked.end());
    keys.clear();
    for (qsizetype i = 0; i < ranked.size() && i < limit; ++i)
        keys.append(std::get<2>(ranked.at(i)));
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

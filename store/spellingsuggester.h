// SPDX-License-Identifier: MIT
#ifndef SPELLINGSUGGESTER_H
#define SPELLINGSUGGESTER_H

#include <QString>
#include <QStringList>

#include <memory>

class Hunspell;
class NearestKeys;

// The keys of the open dictionary spelt nearest to a word that finds none.
// Hunspell's suggestions that are keys answer first, where the build has it
// and its dictionary for the word's script is installed; where they offer
// no key, our own search over the keys (within two edits). Nothing is
// loaded before the first question.
class SpellingSuggester
{
public:
    enum class Checker { WithHunspell, OwnSearchOnly };

    explicit SpellingSuggester(Checker checker = Checker::WithHunspell);
    ~SpellingSuggester();
    SpellingSuggester(const SpellingSuggester &) = delete;
    SpellingSuggester &operator=(const SpellingSuggester &) = delete;

    // Up to `limit` keys for a cleaned, lower-case word.
    QStringList suggestions(const QString &word, int limit);

    // Whether Hunspell knows the word for a correct one; false without it.
    bool isKnownWord(const QString &word);

    static bool builtWithHunspell();
    // The memory our own index takes; 0 until the first question needs it.
    qsizetype indexBytes() const;

private:
    // The checker for the word's script; null without one.
    Hunspell *checkerFor(const QString &word);
    QStringList hunspellSuggestions(const QString &word, int limit);
    QStringList ownSuggestions(const QString &word, int limit);

    Checker checker;
    std::unique_ptr<NearestKeys> index;
    struct Hunspells;
    std::unique_ptr<Hunspells> hunspells;
};

#endif

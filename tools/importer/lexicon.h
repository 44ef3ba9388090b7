// SPDX-License-Identifier: MIT
#ifndef LEXICON_H
#define LEXICON_H

#include <QFlags>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

enum class PartOfSpeech {
    Noun = 0x1,
    Verb = 0x2,
    Adjective = 0x4,
    Adverb = 0x8,
};
Q_DECLARE_FLAGS(PartsOfSpeech, PartOfSpeech)
Q_DECLARE_OPERATORS_FOR_FLAGS(PartsOfSpeech)

// An inflected form WordNet lists because its rules of detachment cannot
// reach the base (went, children, stopped, bigger).
struct LexiconForm
{
    QString form;
    PartOfSpeech part;
};

// English lemmas with their parts of speech and irregular forms, from the
// table the build derives from WordNet 3.0: lines "lemma<TAB>letter<TAB>tagged"
// (letters n v a r; tagged, how many of its senses as that part of speech a
// tagged corpus met) and "form<TAB>LETTER<TAB>base<TAB>base...".
class Lexicon
{
public:
    Lexicon() = default;
    static Lexicon parse(const QString &text);
    // The table compiled into the importer, read once.
    static const Lexicon &shipped();

    bool isEmpty() const { return lemmas.isEmpty(); }
    // None for a word WordNet does not know (function words among them).
    PartsOfSpeech partsOf(const QString &lemma) const { return lemmas.value(lemma).parts; }
    // Whether a word is read as an adjective at least as often as a noun or
    // a verb: "open" is, so "opener" may be its comparative; "port" is not.
    bool adjectiveLeads(const QString &lemma) const;
    QList<LexiconForm> formsOf(const QString &lemma) const { return forms.value(lemma); }

private:
    struct Lemma
    {
        PartsOfSpeech parts;
        int tagged[4] = {}; // noun, verb, adjective, adverb
    };
    QHash<QString, Lemma> lemmas;
    QHash<QString, QList<LexiconForm>> forms; // by base
};

#endif

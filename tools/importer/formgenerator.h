// SPDX-License-Identifier: MIT
#ifndef FORMGENERATOR_H
#define FORMGENERATOR_H

#include "tools/importer/lexicon.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

class EntryCollection;

// What a form is of its base word.
enum class FormKind {
    Plural,
    ThirdPerson,
    Past,
    Participle,
    Ing,
    Comparative,
    Superlative,
    Possessive,
    Contraction,
    Form,
    // A table line saying that a word the rules would make of the base is no
    // form of it (homer is not a comparative of home).
    NotAForm,
};

// One line of the table of irregular forms: "form<TAB>base<TAB>kind".
struct IrregularForm
{
    QString form;
    QString base;
    FormKind kind;
};

// A form of a word: by the spelling rules, or irregular (from a table).
struct WordForm
{
    QString form;
    FormKind kind;
    bool irregular = false;
};

// Adds the inflected forms of the sources' English headwords as keys of
// their own: each form's value starts with a link to its headword, saying
// what form it is, followed by the headword's senses. Only keys that no
// source has are made; a form that is a headword itself keeps its senses
// and gains the link after them. Forms never become bases of further forms,
// and they give no Sinhala-to-English entries.
class FormGenerator
{
public:
    // With the table of irregular forms and the lexicon the importer carries.
    FormGenerator();
    explicit FormGenerator(const QList<IrregularForm> &irregular, const Lexicon &lexicon = Lexicon::shipped());

    // The table compiled into the program.
    static QList<IrregularForm> shippedTable();
    // Reads a table; a bad line is left out and named in *errors.
    static QList<IrregularForm> parseTable(const QString &text, QStringList *errors);

    // The forms the spelling rules make of a lower-case word: plural and
    // possessive of a noun, -s, -ed and -ing of a verb, -er and -est of a
    // short adjective. Where doubling the last consonant is uncertain (a
    // longer word), both spellings are given.
    static QList<WordForm> regularForms(const QString &word, PartsOfSpeech parts);
    static QString label(FormKind kind);

    // What the lexicon knows of a word; none for a word it does not know.
    PartsOfSpeech partsOf(const QString &word) const { return lexicon.partsOf(word); }
    // Every form of a word as these parts of speech: the irregular tables
    // first, then the rules where the tables leave them room. A phrase
    // inflects its first word as a verb (gave up), its last as a noun (bus
    // stops); a hyphenated word its last part (e-mails).
    QList<WordForm> formsOf(const QString &word, PartsOfSpeech parts) const;

    // A headword as a source wrote it; regular forms are made only for
    // single words written in lower-case Latin letters.
    void addHeadword(const QString &asWritten);
    // The entries of the dictionary that an import merges into: forms are
    // then made as if its headwords had been read with the sources.
    void addExistingEntry(const QString &key, const QString &value);
    // Adds the forms, then a twin with the typographic apostrophe (U+2019)
    // of every key that has the ASCII one.
    void addForms(EntryCollection *entries) const;

private:
    QList<WordForm> lexiconAndRuleForms(const QString &word, PartsOfSpeech parts, bool fromTable) const;
    QList<WordForm> formsOfPart(const QString &word, qsizetype start, qsizetype end, PartsOfSpeech parts,
                                bool fromTable) const;

    QList<IrregularForm> irregular;
    QHash<QString, QList<IrregularForm>> irregularByBase;
    QSet<QString> notForms;     // words the table says are no forms
    QSet<QString> contractions; // which no possessive may take
    const Lexicon &lexicon;
    QList<QString> headwords;
    QHash<QString, bool> writtenInLowerCase;
    QHash<QString, QString> existing;
};

#endif

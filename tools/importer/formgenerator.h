// SPDX-License-Identifier: MIT
#ifndef FORMGENERATOR_H
#define FORMGENERATOR_H

#include <QHash>
#include <QList>
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

// A regular form of a word, as the spelling rules make it.
struct RegularForm
{
    QString form;
    FormKind kind;

    bool operator==(const RegularForm &other) const { return form == other.form && kind == other.kind; }
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
    // With the table of irregular forms that the importer carries.
    FormGenerator();
    explicit FormGenerator(const QList<IrregularForm> &irregular);

    // The table compiled into the program.
    static QList<IrregularForm> shippedTable();
    // Reads a table; a bad line is left out and named in *errors.
    static QList<IrregularForm> parseTable(const QString &text, QStringList *errors);

    // The regular forms of a lower-case word: verb forms when a sense is
    // a verb, plural and possessive when a sense is not, comparative and
    // superlative when a sense may be an adjective. Where doubling the last
    // consonant is uncertain (a longer word), both spellings are given.
    static QList<RegularForm> regularForms(const QString &word, bool verb, bool nonVerb, bool adjective);
    static QString label(FormKind kind);

    // A headword as a source wrote it; regular forms are made only for
    // single words written in lower-case Latin letters.
    void addHeadword(const QString &asWritten);
    // Adds the forms, then a twin with the typographic apostrophe (U+2019)
    // of every key that has the ASCII one.
    void addForms(EntryCollection *entries) const;

private:
    QList<IrregularForm> irregular;
    QList<QString> headwords;
    QHash<QString, bool> writtenInLowerCase;
};

#endif

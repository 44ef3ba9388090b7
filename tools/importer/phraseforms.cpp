// SPDX-License-Identifier: MIT
#include "phraseforms.h"

#include "commands/linktarget.h"
#include "entrycollection.h"
#include "formgenerator.h"
#include "phraseline.h"

#include <QSet>
#include <QUrl>

namespace {

const QChar separator = QLatin1Char('|');
const QChar space = QLatin1Char(' ');
const QLatin1String linkStart("<a href='");
const QLatin1String labelsStart("</a> (");

// One form of a word with what it is ("past tense").
struct WordForm
{
    QString form;
    QString label;
};

QStringList labelsOf(std::initializer_list<FormKind> kinds)
{
    QStringList labels;
    for (FormKind kind : kinds)
        labels.append(FormGenerator::label(kind));
    return labels;
}

const QStringList &verbLabels()
{
    static const QStringList labels =
        labelsOf({FormKind::ThirdPerson, FormKind::Past, FormKind::Participle, FormKind::Ing, FormKind::Form});
    return labels;
}

const QStringList &nounLabels()
{
    static const QStringList labels = labelsOf({FormKind::Plural, FormKind::Possessive});
    return labels;
}

bool hasVerbSense(const QString &value)
{
    static const QString verbEnding = QString::fromUtf8("නවා");
    const QStringList senses = value.split(separator);
    return std::any_of(senses.cbegin(), senses.cend(),
                       [](const QString &sense) { return sense.trimmed().endsWith(verbEnding); });
}

// A form's link line, "<a href='base'>base</a> (past tense, past
// participle)": the base and each thing the form is of it. Contractions
// link several words and give no base.
bool readFormLink(const QString &sense, QString *base, QStringList *labels)
{
    if (!sense.startsWith(linkStart) || !sense.endsWith(QLatin1Char(')')))
        return false;
    const qsizetype targetEnd = sense.indexOf(QLatin1String("'>"), linkStart.size());
    const qsizetype labelsAt = sense.indexOf(labelsStart);
    if (targetEnd < 0 || labelsAt < 0 || sense.lastIndexOf(linkStart) != 0)
        return false;
    *base = QUrl::fromPercentEncoding(sense.mid(linkStart.size(), targetEnd - linkStart.size()).toLatin1());
    const qsizetype from = labelsAt + labelsStart.size();
    *labels = sense.mid(from, sense.size() - 1 - from).split(QLatin1String(", "));
    return true;
}

// The forms the entries link to each of the bases.
QHash<QString, QList<WordForm>> formsOf(const QSet<QString> &bases, const EntryCollection &entries)
{
    QHash<QString, QList<WordForm>> forms;
    QString base;
    QStringList labels;
    for (const Entry &entry : entries.entries()) {
        if (entry.key.contains(space) || !entry.value.contains(linkStart))
            continue;
        const QStringList senses = entry.value.split(separator);
        for (const QString &sense : senses) {
            if (!readFormLink(sense, &base, &labels) || !bases.contains(base))
                continue;
            for (const QString &label : std::as_const(labels))
                forms[base].append({entry.key, label});
        }
    }
    return forms;
}

// The verb forms of a word that the entries do not take for a verb: the
// irregular table's, and the spelling rules' for what the table leaves.
QList<WordForm> verbFormsByRule(const QString &word)
{
    static const QList<IrregularForm> table = FormGenerator::shippedTable();
    QList<WordForm> forms;
    bool tableGivesPast = false;
    for (const IrregularForm &row : table) {
        if (row.base != word || !verbLabels().contains(FormGenerator::label(row.kind)))
            continue;
        forms.append({row.form, FormGenerator::label(row.kind)});
        tableGivesPast = tableGivesPast || row.kind == FormKind::Past || row.kind == FormKind::Participle;
    }
    const QList<RegularForm> regular = FormGenerator::regularForms(word, true, false, false);
    for (const RegularForm &form : regular) {
        const bool past = form.kind == FormKind::Past || form.kind == FormKind::Participle;
        if (!(past && tableGivesPast))
            forms.append({form.form, FormGenerator::label(form.kind)});
    }
    return forms;
}

bool isVerbOfPhrase(const QString &word)
{
    static const QStringList auxiliaries{QStringLiteral("be"), QStringLiteral("have"), QStringLiteral("do")};
    return !PhraseLine::isFunctionWord(word) || auxiliaries.contains(word);
}

// Which word of the phrase inflects, and as what; -1 for none.
qsizetype inflectedWord(const QStringList &words, const QString &value, const QStringList **labels)
{
    if (hasVerbSense(value)) {
        *labels = &verbLabels();
        return isVerbOfPhrase(words.first()) ? 0 : -1;
    }
    const bool compound = std::none_of(words.cbegin(), words.cend(), PhraseLine::isFunctionWord);
    *labels = &nounLabels();
    return compound ? words.size() - 1 : -1;
}

} // namespace

void PhraseForms::add(const PhraseLine &phraseLine, EntryCollection *entries)
{
    const QStringList &phrases = phraseLine.phrases();
    QSet<QString> bases;
    for (const QString &phrase : phrases) {
        const QStringList words = phrase.split(space);
        bases.insert(words.first());
        bases.insert(words.last());
    }
    const QHash<QString, QList<WordForm>> known = formsOf(bases, *entries);

    QSet<QString> made;
    for (const QString &phrase : phrases) {
        const Entry *entry = entries->find(phrase);
        if (!entry)
            continue;
        const QString value = entry->value;
        const QStringList words = phrase.split(space);
        const QStringList *labels = nullptr;
        const qsizetype at = inflectedWord(words, value, &labels);
        if (at < 0)
            continue;
        QList<WordForm> forms = known.value(words.at(at));
        forms.removeIf([labels](const WordForm &form) { return !labels->contains(form.label); });
        if (forms.isEmpty() && labels == &verbLabels() && phraseLine.isWord(words.at(at)))
            forms = verbFormsByRule(words.at(at));

        // One link line per form, with every thing it is: "stopped" is
        // both past tense and past participle.
        QStringList keys;
        QHash<QString, QStringList> kinds;
        for (const WordForm &form : std::as_const(forms)) {
            QStringList inflected = words;
            inflected[at] = form.form;
            const QString key = inflected.join(space);
            if (key == phrase || (entries->find(key) && !made.contains(key)))
                continue;
            if (!kinds.contains(key))
                keys.append(key);
            if (!kinds[key].contains(form.label))
                kinds[key].append(form.label);
        }
        for (const QString &key : std::as_const(keys)) {
            made.insert(key);
            entries->add(key, linkHtml(phrase) + QLatin1String(" (") + kinds.value(key).join(QLatin1String(", "))
                                  + QLatin1Char(')'));
            for (const QString &sense : value.split(separator))
                entries->add(key, sense);
        }
    }
}

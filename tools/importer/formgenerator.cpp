// SPDX-License-Identifier: MIT
#include "formgenerator.h"

#include "commands/linktarget.h"
#include "entrycollection.h"

#include <QFile>
#include <QSet>

namespace {

const QChar separator = QLatin1Char('|');
const QChar asciiApostrophe = QLatin1Char('\'');
const QChar typographicApostrophe = QChar(0x2019);
// A sense ending so is a Sinhala verb ("යනවා", "කරනවා").
const QString verbEnding = QString::fromUtf8("නවා");

struct KindName
{
    const char *name;
    FormKind kind;
    const char *label;
};

const KindName kindNames[] = {
    {"plural", FormKind::Plural, "plural"},
    {nullptr, FormKind::ThirdPerson, "3rd person"},
    {"past", FormKind::Past, "past tense"},
    {"participle", FormKind::Participle, "past participle"},
    {nullptr, FormKind::Ing, "-ing form"},
    {"comparative", FormKind::Comparative, "comparative"},
    {"superlative", FormKind::Superlative, "superlative"},
    {nullptr, FormKind::Possessive, "possessive"},
    {"contraction", FormKind::Contraction, "short form"},
    {"form", FormKind::Form, "form"},
    {"none", FormKind::NotAForm, ""},
};

bool isVowel(QChar c)
{
    return QStringLiteral("aeiou").contains(c);
}

bool isLowerLatinWord(const QString &word)
{
    if (word.isEmpty())
        return false;
    for (const QChar c : word) {
        if (c < QLatin1Char('a') || c > QLatin1Char('z'))
            return false;
    }
    return true;
}

// Vowel groups, with "y" a vowel after a consonant: a fair count of
// syllables for a word that ends in a consonant.
int syllables(const QString &word)
{
    int groups = 0;
    bool inGroup = false;
    for (qsizetype i = 0; i < word.size(); ++i) {
        const QChar c = word.at(i);
        const bool quU = c == QLatin1Char('u') && i > 0 && word.at(i - 1) == QLatin1Char('q');
        const bool vowel = (isVowel(c) && !quU) || (c == QLatin1Char('y') && i > 0 && !inGroup);
        if (vowel && !inGroup)
            ++groups;
        inGroup = vowel;
    }
    return groups;
}

enum class Doubling { No, Yes, Maybe };

// Consonant, single vowel, consonant at the end doubles the last consonant
// (stop: stopped, big: bigger); for a longer word it depends on the stress,
// which the spelling does not show.
Doubling doubling(const QString &word)
{
    const qsizetype n = word.size();
    if (n < 3)
        return Doubling::No;
    const QChar last = word.at(n - 1);
    const QChar middle = word.at(n - 2);
    const QChar before = word.at(n - 3);
    const bool beforeIsConsonant =
        !isVowel(before) || (before == QLatin1Char('u') && n >= 4 && word.at(n - 4) == QLatin1Char('q'));
    if (isVowel(last) || QStringLiteral("wxy").contains(last) || !isVowel(middle) || !beforeIsConsonant)
        return Doubling::No;
    return syllables(word) == 1 ? Doubling::Yes : Doubling::Maybe;
}

bool endsInConsonantY(const QString &word)
{
    return word.size() >= 2 && word.endsWith(QLatin1Char('y')) && !isVowel(word.at(word.size() - 2));
}

// The word with an ending that starts with a vowel: doubled, plain, or both.
void addSuffixed(QList<RegularForm> *forms, const QString &word, const QString &suffix, FormKind kind)
{
    const Doubling d = doubling(word);
    if (d != Doubling::No)
        forms->append({word + word.back() + suffix, kind});
    if (d != Doubling::Yes)
        forms->append({word + suffix, kind});
}

void addEs(QList<RegularForm> *forms, const QString &word, FormKind kind)
{
    static const QStringList sibilants = {QStringLiteral("s"), QStringLiteral("x"), QStringLiteral("z"),
                                          QStringLiteral("ch"), QStringLiteral("sh")};
    for (const QString &ending : sibilants) {
        if (word.endsWith(ending)) {
            forms->append({word + QStringLiteral("es"), kind});
            return;
        }
    }
    if (endsInConsonantY(word)) {
        forms->append({word.chopped(1) + QStringLiteral("ies"), kind});
        return;
    }
    forms->append({word + QStringLiteral("s"), kind});
    // Consonant and o: photos, but goes and potatoes.
    if (word.size() >= 2 && word.endsWith(QLatin1Char('o')) && !isVowel(word.at(word.size() - 2)))
        forms->append({word + QStringLiteral("es"), kind});
}

void addEd(QList<RegularForm> *forms, const QString &word)
{
    QStringList spellings;
    if (word.endsWith(QLatin1Char('e'))) {
        spellings.append(word + QStringLiteral("d"));
    } else if (endsInConsonantY(word)) {
        spellings.append(word.chopped(1) + QStringLiteral("ied"));
    } else {
        QList<RegularForm> suffixed;
        addSuffixed(&suffixed, word, QStringLiteral("ed"), FormKind::Past);
        for (const RegularForm &form : std::as_const(suffixed))
            spellings.append(form.form);
    }
    for (const QString &spelling : std::as_const(spellings)) {
        forms->append({spelling, FormKind::Past});
        forms->append({spelling, FormKind::Participle});
    }
}

void addIng(QList<RegularForm> *forms, const QString &word)
{
    const QString ing = QStringLiteral("ing");
    if (word.size() > 2 && word.endsWith(QLatin1String("ie"))) {
        forms->append({word.chopped(2) + QStringLiteral("ying"), FormKind::Ing});
    } else if (word.size() > 2 && word.endsWith(QLatin1Char('e'))
               && !QStringLiteral("eoy").contains(word.at(word.size() - 2))) {
        // The silent e goes (making, arguing) but not after e, o or y
        // (agreeing, hoeing, dyeing).
        forms->append({word.chopped(1) + ing, FormKind::Ing});
    } else {
        addSuffixed(forms, word, ing, FormKind::Ing);
    }
}

void addErEst(QList<RegularForm> *forms, const QString &word)
{
    if (word.endsWith(QLatin1Char('e'))) {
        forms->append({word + QStringLiteral("r"), FormKind::Comparative});
        forms->append({word + QStringLiteral("st"), FormKind::Superlative});
    } else if (endsInConsonantY(word)) {
        forms->append({word.chopped(1) + QStringLiteral("ier"), FormKind::Comparative});
        forms->append({word.chopped(1) + QStringLiteral("iest"), FormKind::Superlative});
    } else {
        addSuffixed(forms, word, QStringLiteral("er"), FormKind::Comparative);
        addSuffixed(forms, word, QStringLiteral("est"), FormKind::Superlative);
    }
}

bool isVerbSense(const QString &sense)
{
    return sense.trimmed().endsWith(verbEnding);
}

bool isVerbKind(FormKind kind)
{
    return kind == FormKind::ThirdPerson || kind == FormKind::Past || kind == FormKind::Participle
           || kind == FormKind::Ing;
}

// Which way a headword's senses point. A sense in a Sinhala noun's written
// form (-ය, -ව, -යා, -ා) is no adjective: no "boxer" as a form of box.
struct WordClass
{
    bool verb = false;
    bool nonVerb = false;
    bool adjective = false;
};

bool isNounSense(const QString &sense)
{
    static const QStringList endings{QString::fromUtf8("ය"), QString::fromUtf8("ව"), QString::fromUtf8("ා")};
    const QString trimmed = sense.trimmed();
    for (const QString &ending : endings) {
        if (trimmed.endsWith(ending))
            return true;
    }
    return false;
}

WordClass classOf(const QString &value)
{
    WordClass word;
    const QStringList senses = value.split(separator);
    for (const QString &sense : senses) {
        if (isVerbSense(sense)) {
            word.verb = true;
        } else {
            word.nonVerb = true;
            word.adjective = word.adjective || !isNounSense(sense);
        }
    }
    return word;
}

// A link from a form to one base, with every kind of form it is of it.
struct BaseLink
{
    QStringList bases; // one, or the words of a contraction's expansion
    QList<FormKind> kinds;
    bool fromTable = false;
};

// The forms found so far, each with its links in the order they came.
class FormLinks
{
public:
    void add(const QString &form, const QStringList &bases, FormKind kind, bool fromTable)
    {
        auto found = index.constFind(form);
        if (found == index.constEnd()) {
            found = index.insert(form, links.size());
            links.append({form, {}});
        }
        QList<BaseLink> &forBase = links[found.value()].second;
        for (BaseLink &link : forBase) {
            if (link.bases != bases)
                continue;
            // The table speaks for a form of its base; the rules add nothing to it.
            if (link.fromTable && !fromTable)
                return;
            if (!link.kinds.contains(kind))
                link.kinds.append(kind);
            return;
        }
        forBase.append({bases, {kind}, fromTable});
    }
    const QList<QPair<QString, QList<BaseLink>>> &all() const { return links; }

private:
    QHash<QString, qsizetype> index;
    QList<QPair<QString, QList<BaseLink>>> links;
};

QString linkLine(const BaseLink &link, const QSet<QString> &linkable)
{
    QStringList words;
    for (const QString &base : link.bases) {
        if (!linkable.contains(base)) {
            words.append(base.toHtmlEscaped());
            continue;
        }
        words.append(QLatin1String("<a href='") + linkTargetForWord(base) + QLatin1String("'>") + base.toHtmlEscaped()
                     + QLatin1String("</a>"));
    }
    QStringList labels;
    for (FormKind kind : link.kinds)
        labels.append(FormGenerator::label(kind));
    return words.join(QLatin1Char(' ')) + QLatin1String(" (") + labels.join(QLatin1String(", ")) + QLatin1Char(')');
}

void addValue(EntryCollection *entries, const QString &key, const QString &value)
{
    const QStringList senses = value.split(separator);
    for (const QString &sense : senses)
        entries->add(key, sense);
}

// What the irregular table gives: the kinds of form it lists for each base
// (the rules then make none of those), its contractions and the words it
// says are no forms.
struct TableForms
{
    QHash<QString, QList<FormKind>> kinds;
    QSet<QString> contractions;
    QSet<QString> notForms;
};

TableForms addTableLinks(const QList<IrregularForm> &irregular, const QSet<QString> &isHeadword, FormLinks *links)
{
    TableForms table;
    for (const IrregularForm &row : irregular) {
        if (row.kind == FormKind::NotAForm) {
            table.notForms.insert(row.form);
            continue;
        }
        QStringList bases{row.base};
        if (row.kind == FormKind::Contraction) {
            table.contractions.insert(row.form);
            // An expansion that is no headword links its words instead.
            if (!isHeadword.contains(row.base))
                bases = row.base.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        }
        const bool anyBase =
            std::any_of(bases.cbegin(), bases.cend(), [&](const QString &base) { return isHeadword.contains(base); });
        if (!anyBase || row.form == row.base)
            continue;
        links->add(row.form, bases, row.kind, true);
        table.kinds[row.base].append(row.kind);
    }
    return table;
}

// Whether the rules leave this form to the table, or must not make it.
bool leftToTable(const RegularForm &form, const QString &headword, const TableForms &table)
{
    if (form.form == headword || table.notForms.contains(form.form))
        return true;
    const QList<FormKind> given = table.kinds.value(headword);
    const auto gives = [&](FormKind one, FormKind other) { return given.contains(one) || given.contains(other); };
    switch (form.kind) {
    case FormKind::Past:
    case FormKind::Participle:
        return gives(FormKind::Past, FormKind::Participle);
    case FormKind::Plural:
        return gives(FormKind::Plural, FormKind::Plural);
    case FormKind::Comparative:
    case FormKind::Superlative:
        return gives(FormKind::Comparative, FormKind::Superlative);
    case FormKind::Possessive:
        return table.contractions.contains(form.form);
    default:
        return false;
    }
}

// The regular forms of each base, by the spelling rules; gives each base's
// word class, which decides later whether a headword that is also a form
// gains a link.
QHash<QString, WordClass> addRuleLinks(const QStringList &bases, const QHash<QString, QString> &values,
                                       const TableForms &table, FormLinks *links)
{
    QHash<QString, WordClass> classes;
    for (const QString &headword : bases) {
        const WordClass word = classOf(values.value(headword));
        classes.insert(headword, word);
        const QList<RegularForm> forms = FormGenerator::regularForms(headword, word.verb, word.nonVerb, word.adjective);
        for (const RegularForm &form : forms) {
            if (!leftToTable(form, headword, table))
                links->add(form.form, {headword}, form.kind, false);
        }
    }
    return classes;
}

// A form no source has becomes a key: the link, then its base's senses. A
// headword of its own keeps its senses and gains the link, from a rule only
// where both are verbs: "better" is no form of "bet", nor "news" of "new".
void writeLinks(const FormLinks &links, const QHash<QString, QString> &values, const QSet<QString> &isHeadword,
                const QHash<QString, WordClass> &classes, EntryCollection *entries)
{
    for (const auto &[form, bases] : links.all()) {
        if (values.contains(form)) {
            if (!isHeadword.contains(form))
                continue;
            for (BaseLink link : bases) {
                if (!link.fromTable) {
                    const bool verbs = classOf(values.value(form)).verb && classes.value(link.bases.first()).verb;
                    link.kinds.removeIf([&](FormKind kind) { return !verbs || !isVerbKind(kind); });
                    if (link.kinds.isEmpty())
                        continue;
                }
                entries->add(form, linkLine(link, isHeadword));
            }
            continue;
        }
        for (const BaseLink &link : bases) {
            entries->add(form, linkLine(link, isHeadword));
            for (const QString &base : link.bases) {
                if (isHeadword.contains(base))
                    addValue(entries, form, values.value(base));
            }
        }
    }
}

// Every key with the ASCII apostrophe gains a twin with the typographic one,
// where no key has that spelling yet.
void addApostropheTwins(EntryCollection *entries)
{
    const qsizetype count = entries->entries().size();
    QSet<QString> keys;
    for (qsizetype i = 0; i < count; ++i)
        keys.insert(entries->entries().at(i).key);
    for (qsizetype i = 0; i < count; ++i) {
        const Entry entry = entries->entries().at(i);
        if (!entry.key.contains(asciiApostrophe))
            continue;
        QString twin = entry.key;
        twin.replace(asciiApostrophe, typographicApostrophe);
        if (!keys.contains(twin))
            addValue(entries, twin, entry.value);
    }
}

} // namespace

FormGenerator::FormGenerator()
    : irregular(shippedTable())
{
}

FormGenerator::FormGenerator(const QList<IrregularForm> &irregular)
    : irregular(irregular)
{
}

QList<IrregularForm> FormGenerator::shippedTable()
{
    QFile file(QStringLiteral(":/data/en-irregular.tsv"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList errors;
    return parseTable(QString::fromUtf8(file.readAll()), &errors);
}

QList<IrregularForm> FormGenerator::parseTable(const QString &text, QStringList *errors)
{
    QList<IrregularForm> table;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList columns = line.split(QLatin1Char('\t'));
        const auto kind = std::find_if(std::begin(kindNames), std::end(kindNames), [&](const KindName &name) {
            return name.name && columns.size() == 3 && columns.at(2).trimmed() == QLatin1String(name.name);
        });
        const QString form = columns.value(0).trimmed().toLower();
        const QString base = columns.value(1).trimmed().toLower();
        if (kind == std::end(kindNames) || form.isEmpty() || base.isEmpty() || form.contains(separator)) {
            errors->append(QStringLiteral("line %1: expected form<TAB>base<TAB>kind").arg(i + 1));
            continue;
        }
        table.append({form, base, kind->kind});
    }
    return table;
}

QList<RegularForm> FormGenerator::regularForms(const QString &word, bool verb, bool nonVerb, bool adjective)
{
    QList<RegularForm> forms;
    if (!isLowerLatinWord(word) || word.size() < 2)
        return forms;
    // Two-letter words are mostly function words: "it" has no plural "its".
    const bool longEnough = word.size() >= 3;
    if (nonVerb && longEnough)
        addEs(&forms, word, FormKind::Plural);
    if (verb) {
        addEs(&forms, word, FormKind::ThirdPerson);
        addEd(&forms, word);
        addIng(&forms, word);
    }
    // Longer words take "more" and "most".
    if (!verb && adjective && longEnough && syllables(word) <= 2)
        addErEst(&forms, word);
    if (nonVerb && longEnough)
        forms.append({word + QStringLiteral("'s"), FormKind::Possessive});
    return forms;
}

QString FormGenerator::label(FormKind kind)
{
    for (const KindName &name : kindNames) {
        if (name.kind == kind)
            return QLatin1String(name.label);
    }
    return QString();
}

void FormGenerator::addHeadword(const QString &asWritten)
{
    const QString key = asWritten.toLower();
    auto found = writtenInLowerCase.find(key);
    if (found == writtenInLowerCase.end()) {
        headwords.append(key);
        found = writtenInLowerCase.insert(key, false);
    }
    if (asWritten == key)
        found.value() = true;
}

void FormGenerator::addForms(EntryCollection *entries) const
{
    // The sources' entries as they stand: forms are made of these alone.
    QHash<QString, QString> values;
    for (const Entry &entry : entries->entries())
        values.insert(entry.key, entry.value);
    QSet<QString> isHeadword;
    QStringList ruleBases;
    for (const QString &headword : headwords) {
        if (values.value(headword).isEmpty())
            continue;
        isHeadword.insert(headword);
        if (writtenInLowerCase.value(headword))
            ruleBases.append(headword);
    }

    // The irregular table first; what it gives a base, the rules do not.
    FormLinks links;
    const TableForms table = addTableLinks(irregular, isHeadword, &links);
    const QHash<QString, WordClass> classes = addRuleLinks(ruleBases, values, table, &links);
    writeLinks(links, values, isHeadword, classes, entries);

    // Text copied from web pages has the typographic apostrophe.
    addApostropheTwins(entries);
}

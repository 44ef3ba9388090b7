// SPDX-License-Identifier: MIT
#include "tools/importer/formgenerator.h"

#include "format/resultformat.h"
#include "tools/importer/entrycollection.h"
#include "tools/importer/phraseline.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>

namespace {

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

bool isLowerLatinWord(QStringView word)
{
    if (word.isEmpty())
        return false;
    for (const QChar c : word) {
        if (c < QLatin1Char('a') || c > QLatin1Char('z'))
            return false;
    }
    return true;
}

// Lower-case Latin words joined by single spaces or hyphens (bus stop, e-mail).
bool isInflectable(const QString &word)
{
    static const QRegularExpression joints(QStringLiteral("[ -]"));
    const QList<QStringView> parts = QStringView(word).split(joints);
    return std::all_of(parts.cbegin(), parts.cend(), [](QStringView part) { return isLowerLatinWord(part); });
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
void addSuffixed(QList<WordForm> *forms, const QString &word, const QString &suffix, FormKind kind)
{
    const Doubling d = doubling(word);
    if (d != Doubling::No)
        forms->append({word + word.back() + suffix, kind});
    if (d != Doubling::Yes)
        forms->append({word + suffix, kind});
}

void addEs(QList<WordForm> *forms, const QString &word, FormKind kind)
{
    static const QStringList sibilants = {QStringLiteral("s"), QStringLiteral("x"), QStringLiteral("z"),
                                          QStringLiteral("ch"), QStringLiteral("sh")};
    if (word.endsWith(QLatin1Char('z')) && doubling(word) == Doubling::Yes) {
        forms->append({word + QStringLiteral("zes"), kind}); // quizzes
        return;
    }
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

void addEd(QList<WordForm> *forms, const QString &word)
{
    QStringList spellings;
    if (word.endsWith(QLatin1Char('e'))) {
        spellings.append(word + QStringLiteral("d"));
    } else if (endsInConsonantY(word)) {
        spellings.append(word.chopped(1) + QStringLiteral("ied"));
    } else {
        QList<WordForm> suffixed;
        addSuffixed(&suffixed, word, QStringLiteral("ed"), FormKind::Past);
        for (const WordForm &form : std::as_const(suffixed))
            spellings.append(form.form);
    }
    for (const QString &spelling : std::as_const(spellings)) {
        forms->append({spelling, FormKind::Past});
        forms->append({spelling, FormKind::Participle});
    }
}

void addIng(QList<WordForm> *forms, const QString &word)
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

void addErEst(QList<WordForm> *forms, const QString &word)
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

bool isAdjectiveKind(FormKind kind)
{
    return kind == FormKind::Comparative || kind == FormKind::Superlative;
}

// The part of speech a kind of form belongs to.
PartOfSpeech partOfKind(FormKind kind)
{
    if (kind == FormKind::Plural || kind == FormKind::Possessive)
        return PartOfSpeech::Noun;
    if (isAdjectiveKind(kind))
        return PartOfSpeech::Adjective;
    return PartOfSpeech::Verb;
}

// For a word the lexicon does not know, the senses tell: a Sinhala verb
// makes an English verb, anything else a noun. No adjective is guessed, as
// function words (with, until, which) look like one.
PartsOfSpeech guessedParts(const QString &value)
{
    PartsOfSpeech parts;
    const QStringList senses = value.split(senseSeparator);
    for (const QString &sense : senses)
        parts |= isVerbSense(sense) ? PartOfSpeech::Verb : PartOfSpeech::Noun;
    return parts;
}

bool hasVerbSense(const QString &value)
{
    const QStringList senses = value.split(senseSeparator);
    return std::any_of(senses.cbegin(), senses.cend(), isVerbSense);
}

// Whether an irregular plural leaves no room for the regular one: knives,
// crises, phenomena, men and children do; the learned plurals beside
// everyday ones (media, radii, formulae, mottoes, bureaux) do not.
bool replacesRegularPlural(const QString &form, const QString &base)
{
    if (form.endsWith(QLatin1String("ves")) || base.endsWith(QLatin1String("is")))
        return true;
    if (form.endsWith(QLatin1Char('a')))
        return base.endsWith(QLatin1String("on"));
    static const QStringList beside{QStringLiteral("ae"), QStringLiteral("i"), QStringLiteral("x"),
                                    QStringLiteral("s")};
    return std::none_of(beside.cbegin(), beside.cend(), [&](const QString &ending) { return form.endsWith(ending); });
}

// Which form of a verb each irregular spelling is. Endings tell the
// regular shapes (stopped, stopping, quizzes); of the others a participle
// ends in -en, -wn, -rn, -ne or -ain (seen, shown, torn, gone, lain), or
// has u where its twin has a (sung beside sang). The rest are past tenses,
// and participles too where no participle is listed (taught, hung).
QList<WordForm> labelledVerbForms(const QString &base, const QStringList &forms, QList<FormKind> *strongKinds)
{
    QList<WordForm> labelled;
    QStringList strong;
    for (const QString &form : forms) {
        const bool longer = form.size() > base.size();
        if (form.endsWith(QLatin1String("ing")) && longer) {
            labelled.append({form, FormKind::Ing});
        } else if (form.endsWith(QLatin1Char('s')) && longer) {
            labelled.append({form, FormKind::ThirdPerson});
        } else if (form.endsWith(QLatin1String("ed")) && longer) {
            labelled.append({form, FormKind::Past});
            labelled.append({form, FormKind::Participle});
        } else {
            strong.append(form);
        }
    }
    static const QRegularExpression participleEnding(QStringLiteral("(en|wn|rn|ne|ain)$"));
    const auto vowelTwin = [&](const QString &form, QChar own, QChar other) {
        return std::any_of(strong.cbegin(), strong.cend(), [&](const QString &twin) {
            if (twin.size() != form.size())
                return false;
            for (qsizetype i = 0; i < form.size(); ++i) {
                if (form.at(i) != twin.at(i))
                    return form.at(i) == own && twin.at(i) == other && form.mid(i + 1) == twin.mid(i + 1);
            }
            return false;
        });
    };
    QStringList participles;
    for (const QString &form : std::as_const(strong)) {
        if (participleEnding.match(form).hasMatch() || vowelTwin(form, QLatin1Char('u'), QLatin1Char('a')))
            participles.append(form);
    }
    for (const QString &form : std::as_const(strong)) {
        if (participles.contains(form)) {
            labelled.append({form, FormKind::Participle, true});
            strongKinds->append(FormKind::Participle);
            continue;
        }
        labelled.append({form, FormKind::Past, true});
        strongKinds->append(FormKind::Past);
        if (participles.isEmpty())
            labelled.append({form, FormKind::Participle, true});
    }
    return labelled;
}

// The irregular forms the lexicon gives a word as one part of speech, each
// with its kind; *strongKinds gets the kinds the rules must then leave out.
QList<WordForm> lexiconForms(const QString &word, PartOfSpeech part, const QStringList &forms,
                             QList<FormKind> *strongKinds)
{
    if (part == PartOfSpeech::Verb)
        return labelledVerbForms(word, forms, strongKinds);
    QList<WordForm> labelled;
    for (const QString &form : forms) {
        if (part == PartOfSpeech::Noun) {
            const bool strong = replacesRegularPlural(form, word);
            labelled.append({form, FormKind::Plural, true});
            if (strong)
                strongKinds->append(FormKind::Plural);
            continue;
        }
        const bool superlative = form.endsWith(QLatin1String("st"));
        const FormKind kind = superlative ? FormKind::Superlative : FormKind::Comparative;
        labelled.append({form, kind, true});
        // bigger and biggest are the rule's spellings; better and worst are not.
        if (!form.endsWith(QLatin1String("er")) && !form.endsWith(QLatin1String("est")))
            strongKinds->append(kind);
    }
    return labelled;
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
            link.fromTable = link.fromTable || fromTable;
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
    QList<FormKind> kinds = link.kinds;
    std::sort(kinds.begin(), kinds.end());
    QStringList labels;
    for (FormKind kind : std::as_const(kinds))
        labels.append(FormGenerator::label(kind));
    return formLinkLine(link.bases, linkable, labels);
}

void addValue(EntryCollection *entries, const QString &key, const QString &value)
{
    const QStringList senses = value.split(senseSeparator);
    for (const QString &sense : senses)
        entries->add(key, sense);
}

void addTableLinks(const QList<IrregularForm> &irregular, const QSet<QString> &isHeadword, FormLinks *links)
{
    for (const IrregularForm &row : irregular) {
        if (row.kind == FormKind::NotAForm)
            continue;
        QStringList bases{row.base};
        // An expansion that is no headword links its words instead.
        if (row.kind == FormKind::Contraction && !isHeadword.contains(row.base))
            bases = row.base.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const bool anyBase =
            std::any_of(bases.cbegin(), bases.cend(), [&](const QString &base) { return isHeadword.contains(base); });
        if (anyBase && row.form != row.base)
            links->add(row.form, bases, row.kind, true);
    }
}

// Whether the rules leave this kind of form to an irregular one.
bool leftToIrregular(FormKind kind, const QList<FormKind> &given)
{
    const auto gives = [&](FormKind one, FormKind other) { return given.contains(one) || given.contains(other); };
    switch (kind) {
    case FormKind::Past:
        return given.contains(FormKind::Past);
    case FormKind::Participle:
        // went alone speaks for the participle too (came, ran); shown only for it.
        return gives(FormKind::Past, FormKind::Participle);
    case FormKind::Plural:
        return given.contains(FormKind::Plural);
    case FormKind::Comparative:
    case FormKind::Superlative:
        return gives(FormKind::Comparative, FormKind::Superlative);
    default:
        return false;
    }
}

// Where doubling the last consonant is uncertain, a word the lexicon knows
// doubles only as its listed forms do (stopped, but visited); a final l
// takes both (travelled, traveled).
bool spellingFits(const WordForm &form, const QString &word, const QStringList &listed)
{
    if (doubling(word) != Doubling::Maybe)
        return true;
    const QString doubled = word + word.back();
    if (form.form.startsWith(doubled))
        return listed.contains(form.form);
    const QString ending = form.form.mid(word.size());
    const bool vowelEnding = ending == QLatin1String("ed") || ending == QLatin1String("ing")
                             || ending == QLatin1String("er") || ending == QLatin1String("est");
    return !vowelEnding || !listed.contains(doubled + ending) || word.endsWith(QLatin1Char('l'));
}

// The base's senses as a form shows them: a verb form its verb senses
// first (formed: පිහිටුවනවා before පෝරමය), a plural or possessive its
// other senses first; a form of both kinds keeps their order.
QString sensesForForm(const QString &value, const QList<FormKind> &kinds)
{
    const bool verbForm = std::any_of(kinds.cbegin(), kinds.cend(), isVerbKind);
    const bool nounForm =
        std::any_of(kinds.cbegin(), kinds.cend(), [](FormKind kind) { return partOfKind(kind) == PartOfSpeech::Noun; });
    if (verbForm == nounForm)
        return value;
    QStringList senses = value.split(senseSeparator);
    std::stable_partition(senses.begin(), senses.end(),
                          [&](const QString &sense) { return isVerbSense(sense) == verbForm; });
    return senses.join(senseSeparator);
}

// A form no source has becomes a key: the link, then its base's senses. A
// headword of its own keeps its senses and gains the link, from a rule only
// where both are verbs: "better" is no form of "bet", nor "news" of "new".
void writeLinks(const FormLinks &links, const QHash<QString, QString> &values, const QSet<QString> &isHeadword,
                const QHash<QString, PartsOfSpeech> &parts, EntryCollection *entries)
{
    for (const auto &[form, bases] : links.all()) {
        if (values.contains(form)) {
            if (!isHeadword.contains(form))
                continue;
            for (BaseLink link : bases) {
                if (!link.fromTable) {
                    // coming, feeling, tired are read as forms of their verb
                    // more than as words of their own; a plural noun is no
                    // third person of a verb unless it is a verb itself.
                    const bool verbBase = parts.value(link.bases.first()) & PartOfSpeech::Verb;
                    const bool verbHeadword = hasVerbSense(values.value(form));
                    link.kinds.removeIf([&](FormKind kind) {
                        return !verbBase || !isVerbKind(kind) || (kind == FormKind::ThirdPerson && !verbHeadword);
                    });
                    if (link.kinds.isEmpty())
                        continue;
                }
                entries->add(form, linkLine(link, isHeadword));
            }
            continue;
        }
        for (const BaseLink &link : bases) {
            entries->add(form, linkLine(link, isHeadword));
            // An expansion linked word by word shows each word's first sense
            // only: you'll is "you" and "will" the auxiliary, not will the
            // testament.
            const bool byWord = link.bases.size() > 1;
            for (const QString &base : link.bases) {
                if (!isHeadword.contains(base))
                    continue;
                const QString senses = sensesForForm(values.value(base), link.kinds);
                addValue(entries, form, byWord ? senses.section(senseSeparator, 0, 0) : senses);
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
    : FormGenerator(shippedTable())
{
}

FormGenerator::FormGenerator(const QList<IrregularForm> &irregular, const Lexicon &lexicon)
    : irregular(irregular)
    , lexicon(lexicon)
{
    for (const IrregularForm &row : irregular) {
        irregularByBase[row.base].append(row);
        if (row.kind == FormKind::NotAForm)
            notForms.insert(row.form);
        else if (row.kind == FormKind::Contraction)
            contractions.insert(row.form);
    }
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
        if (kind == std::end(kindNames) || form.isEmpty() || base.isEmpty() || form.contains(senseSeparator)) {
            errors->append(QStringLiteral("line %1: expected form<TAB>base<TAB>kind").arg(i + 1));
            continue;
        }
        table.append({form, base, kind->kind});
    }
    return table;
}

QList<WordForm> FormGenerator::regularForms(const QString &word, PartsOfSpeech parts)
{
    QList<WordForm> forms;
    if (!isLowerLatinWord(word) || word.size() < 2)
        return forms;
    // Two-letter words are mostly function words: "it" has no plural "its".
    const bool longEnough = word.size() >= 3;
    const bool noun = parts & PartOfSpeech::Noun;
    if (noun && longEnough)
        addEs(&forms, word, FormKind::Plural);
    if (parts & PartOfSpeech::Verb) {
        addEs(&forms, word, FormKind::ThirdPerson);
        addEd(&forms, word);
        addIng(&forms, word);
    }
    // Longer words take "more" and "most".
    if (parts & PartOfSpeech::Adjective && longEnough && syllables(word) <= 2)
        addErEst(&forms, word);
    if (noun && longEnough)
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

QList<WordForm> FormGenerator::formsOf(const QString &word, PartsOfSpeech parts) const
{
    if (!isInflectable(word))
        return {};
    return formsOfPart(word, 0, word.size(), parts, true);
}

// The forms of word[start, end) put back in the word: a phrase's first word
// as a verb, its last as a noun, a hyphenated word's last part.
QList<WordForm> FormGenerator::formsOfPart(const QString &word, qsizetype start, qsizetype end, PartsOfSpeech parts,
                                           bool fromTable) const
{
    const QString part = word.mid(start, end - start);
    const auto placed = [&](const QList<WordForm> &forms, qsizetype from, qsizetype to) {
        QList<WordForm> inWord;
        for (WordForm form : forms) {
            form.form = word.left(from) + form.form + word.mid(to);
            inWord.append(form);
        }
        return inWord;
    };
    const qsizetype space = part.indexOf(QLatin1Char(' '));
    if (space >= 0) {
        // Only a verb inflects as one: no "hed is" of "he is". The table's
        // forms of the word are the phrase's too (came on).
        QList<WordForm> forms;
        const qsizetype last = start + part.lastIndexOf(QLatin1Char(' ')) + 1;
        if (parts & PartOfSpeech::Verb && lexicon.partsOf(part.left(space)) & PartOfSpeech::Verb)
            forms += formsOfPart(word, start, start + space, PartOfSpeech::Verb, true);
        if (parts & PartOfSpeech::Noun && lexicon.partsOf(word.mid(last, end - last)) & PartOfSpeech::Noun)
            forms += formsOfPart(word, last, end, PartOfSpeech::Noun, true);
        return forms;
    }
    const qsizetype hyphen = part.lastIndexOf(QLatin1Char('-'));
    if (hyphen >= 0 && lexicon.formsOf(part).isEmpty() && !irregularByBase.contains(part))
        return formsOfPart(word, start + hyphen + 1, end, parts, true);
    return placed(lexiconAndRuleForms(part, parts, fromTable), start, end);
}

QList<WordForm> FormGenerator::lexiconAndRuleForms(const QString &word, PartsOfSpeech parts, bool fromTable) const
{
    QList<WordForm> forms;
    QList<FormKind> given;
    QList<PartOfSpeech> tableParts;
    for (const IrregularForm &row : irregularByBase.value(word)) {
        if (row.kind == FormKind::NotAForm || row.kind == FormKind::Contraction)
            continue;
        given.append(row.kind);
        // A colloquial spelling (goin) leaves the verb's forms to WordNet.
        if (row.kind != FormKind::Form)
            tableParts.append(partOfKind(row.kind));
        if (fromTable && row.kind != FormKind::Form && parts & partOfKind(row.kind))
            forms.append({row.form, row.kind, true});
    }

    // The lexicon's forms, for each part of speech our table says nothing of.
    QStringList listed;
    for (const PartOfSpeech part :
         {PartOfSpeech::Noun, PartOfSpeech::Verb, PartOfSpeech::Adjective, PartOfSpeech::Adverb}) {
        if (!(parts & part) || tableParts.contains(part))
            continue;
        QStringList spellings;
        for (const LexiconForm &form : lexicon.formsOf(word)) {
            if (form.part == part && !notForms.contains(form.form))
                spellings.append(form.form);
        }
        listed += spellings;
        forms += lexiconForms(word, part, spellings, &given);
    }

    // The rules fill in what no table gives. An -er that is a word of its
    // own is no comparative of a word seldom read as an adjective (porter,
    // archer), as "opener" is none of "open": the table says so.
    const auto falseComparative = [&](const WordForm &form) {
        return isAdjectiveKind(form.kind) && lexicon.partsOf(form.form) != PartsOfSpeech()
               && !lexicon.adjectiveLeads(word);
    };
    const bool known = lexicon.partsOf(word) != PartsOfSpeech();
    const QList<WordForm> regular = regularForms(word, parts & ~PartsOfSpeech(PartOfSpeech::Adverb));
    QStringList ruleSpellings;
    for (const WordForm &form : regular)
        ruleSpellings.append(form.form);
    for (WordForm &form : forms)
        form.irregular = form.irregular && !ruleSpellings.contains(form.form);
    for (const WordForm &form : regular) {
        if (form.form == word || notForms.contains(form.form) || leftToIrregular(form.kind, given)
            || (form.kind == FormKind::Possessive && contractions.contains(form.form))
            || (known && !spellingFits(form, word, listed)) || falseComparative(form))
            continue;
        forms.append(form);
    }
    return forms;
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

void FormGenerator::addExistingEntry(const QString &key, const QString &value)
{
    // A form's value opens with its link; a headword's with its own senses,
    // which are all a form of it takes: neither its links nor its phrases.
    QStringList senses = value.split(senseSeparator);
    if (senses.isEmpty() || isFormLinkLine(senses.constFirst()))
        return;
    senses.removeIf([](const QString &sense) { return isFormLinkLine(sense) || isPhraseLine(sense); });
    existing.insert(key, senses.join(senseSeparator));
}

void FormGenerator::addForms(EntryCollection *entries) const
{
    // The sources' entries as they stand, after those of the dictionary
    // merged into: forms are made of these alone.
    QHash<QString, QString> values = existing;
    QSet<QString> isHeadword;
    for (auto it = existing.cbegin(); it != existing.cend(); ++it)
        isHeadword.insert(it.key());
    for (const Entry &entry : entries->entries()) {
        QString &value = values[entry.key];
        for (const QString &sense : entry.senses()) {
            if (value.isEmpty())
                value = sense;
            else if (!EntryCollection::holds(value, sense))
                value += senseSeparator + sense;
        }
    }
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
    addTableLinks(irregular, isHeadword, &links);
    QHash<QString, PartsOfSpeech> parts;
    for (const QString &headword : std::as_const(ruleBases)) {
        // WordNet 3.0 misses newer verbs (to text): a Sinhala verb sense tells.
        const PartsOfSpeech guessed = guessedParts(values.value(headword));
        PartsOfSpeech known = lexicon.partsOf(headword);
        known = known ? known | (guessed & PartOfSpeech::Verb) : guessed;
        parts.insert(headword, known);
        // A phrase WordNet does not know is no guess (am not, as long as).
        if (!isInflectable(headword) || (headword.contains(QLatin1Char(' ')) && !lexicon.partsOf(headword)))
            continue;
        const QList<WordForm> forms = formsOfPart(headword, 0, headword.size(), known, false);
        for (const WordForm &form : forms)
            links.add(form.form, {headword}, form.kind, form.irregular);
    }
    writeLinks(links, values, isHeadword, parts, entries);

    // Text copied from web pages has the typographic apostrophe.
    addApostropheTwins(entries);
}

// SPDX-License-Identifier: MIT
// Inflected forms: the spelling rules, the irregular table, which keys the
// forms may take, and following a form's link in the window.
#include "format/resultformat.h"
#include "tests/testsupport.h"
#include "tests/windowdriver.h"
#include "tools/importer/importer.h"

#include <QApplication>
#include <QDir>
#include <QTest>

#include <algorithm>
#include <utility>

namespace {

// Headwords as a source gives them, with their senses.
const QList<QPair<QString, QString>> sourceRecords = {
    {"go", "යනවා"},
    {"see", "දකිනවා|බලනවා"},
    {"saw", "කියත|දැක්කා"},
    {"stop", "නවත්වනවා|නැවතුම"},
    {"form", "පෝරමය|පිහිටුවනවා"},
    {"happy", "සතුටු"},
    {"big", "ලොකු"},
    {"leaf", "කොළය"},
    {"leave", "පිටත් වෙනවා|අත්හරිනවා"},
    {"good", "හොඳ"},
    {"better", "වඩා හොඳ"},
    {"bet", "ඔට්ටුව"},
    {"new", "අලුත්"},
    {"news", "පුවත්"},
    {"water", "වතුර|ජලය"},
    {"do not", "එපා|නොකරන්න"},
    {"o'clock", "වේලාව"},
    {"o’clock", "ඔරලෝසුවේ වේලාව"},
    {"English", "ඉංග්‍රීසි"},
    {"you", "ඔබ|ඔයා"},
    {"he", "ඔහු"},
    {"will", "කරනු ඇත|කැමැත්ත"},
    {"would", "කරනු ඇත"},
    {"had", "තිබුණා"},
    {"feel", "දැනෙනවා"},
    {"feeling", "හැඟීම"},
};

QHash<QString, QString> importedKeys(bool forms)
{
    return importedEntries(sourceRecords, forms);
}

QString link(const QString &word, const QString &label)
{
    return QStringLiteral("<a href='%1'>%2</a> (%3)").arg(linkTargetForWord(word), word.toHtmlEscaped(), label);
}

QString joined(const QStringList &parts)
{
    return parts.join(QLatin1Char('|'));
}

} // namespace

class TestForms : public QObject
{
    Q_OBJECT

private slots:
    void regularForms_data();
    void regularForms();
    void lexiconForms_data();
    void lexiconForms();
    void mergeMakesTheFormsOfOneRun();
    void formKeys_data();
    void formKeys();
    void formsGiveNoReverseKeysAndNoFormsOfForms();
    void irregularTable();
    void tableLineStopsAWrongForm();
    void importerCarriesTheTable();

    void formLinksLookUpTheHeadword_data();
    void formLinksLookUpTheHeadword();
};

void TestForms::regularForms_data()
{
    using P = PartOfSpeech;
    QTest::addColumn<QString>("word");
    QTest::addColumn<PartsOfSpeech>("parts");
    QTest::addColumn<QStringList>("forms");
    const PartsOfSpeech verb = P::Verb;
    QTest::newRow("plain verb") << "walk" << verb << QStringList{"walked", "walking", "walks"};
    QTest::newRow("doubling") << "stop" << verb << QStringList{"stopped", "stopping", "stops"};
    QTest::newRow("qu is a consonant") << "quit" << verb << QStringList{"quits", "quitted", "quitting"};
    QTest::newRow("w x y never double") << "fix" << verb << QStringList{"fixed", "fixes", "fixing"};
    QTest::newRow("longer word: both") << "visit" << verb
                                       << QStringList{"visited", "visiting", "visits", "visitted", "visitting"};
    QTest::newRow("e drops") << "bake" << verb << QStringList{"baked", "bakes", "baking"};
    QTest::newRow("ue drops e") << "argue" << verb << QStringList{"argued", "argues", "arguing"};
    QTest::newRow("ee stays") << "agree" << verb << QStringList{"agreed", "agreeing", "agrees"};
    QTest::newRow("ie to y") << "die" << verb << QStringList{"died", "dies", "dying"};
    QTest::newRow("consonant y") << "carry" << verb << QStringList{"carried", "carries", "carrying"};
    QTest::newRow("vowel y") << "play" << verb << QStringList{"played", "playing", "plays"};
    QTest::newRow("sibilant") << "wish" << verb << QStringList{"wished", "wishes", "wishing"};
    QTest::newRow("consonant o") << "veto" << verb << QStringList{"vetoed", "vetoes", "vetoing", "vetos"};
    QTest::newRow("two-letter verb") << "go" << verb << QStringList{"goed", "goes", "going", "gos"};
    QTest::newRow("single vowel and z") << "quiz" << PartsOfSpeech(P::Noun) << QStringList{"quiz's", "quizzes"};
    QTest::newRow("adjective, no happied")
        << "happy" << (P::Noun | P::Adjective) << QStringList{"happier", "happies", "happiest", "happy's"};
    QTest::newRow("adjective doubling") << "big" << PartsOfSpeech(P::Adjective) << QStringList{"bigger", "biggest"};
    QTest::newRow("adjective e") << "large" << PartsOfSpeech(P::Adjective) << QStringList{"larger", "largest"};
    QTest::newRow("adjective and verb") << "dry" << (P::Verb | P::Adjective)
                                        << QStringList{"dried", "drier", "dries", "driest", "drying"};
    QTest::newRow("noun: no boxer") << "box" << PartsOfSpeech(P::Noun) << QStringList{"box's", "boxes"};
    QTest::newRow("long word: no -er") << "beautiful" << PartsOfSpeech(P::Adjective) << QStringList();
    QTest::newRow("adverb: nothing") << "beautifully" << PartsOfSpeech(P::Adverb) << QStringList();
    QTest::newRow("verb and noun") << "act" << (P::Verb | P::Noun) << QStringList{"act's", "acted", "acting", "acts"};
    QTest::newRow("two-letter noun") << "it" << PartsOfSpeech(P::Noun) << QStringList();
    QTest::newRow("two words") << "ice cream" << PartsOfSpeech(P::Noun) << QStringList();
    QTest::newRow("not latin") << "café" << PartsOfSpeech(P::Noun) << QStringList();
}

void TestForms::regularForms()
{
    QFETCH(QString, word);
    QFETCH(PartsOfSpeech, parts);
    QFETCH(QStringList, forms);
    QStringList made;
    for (const WordForm &form : FormGenerator::regularForms(word, parts))
        made.append(form.form);
    made.sort();
    made.removeDuplicates();
    QCOMPARE(made, forms);
}

// The forms made of one headword with the shipped tables: WordNet's parts of
// speech and irregular forms, our own table, and the rules between them.
void TestForms::lexiconForms_data()
{
    QTest::addColumn<QString>("headword");
    QTest::addColumn<QString>("senses");
    QTest::addColumn<QStringList>("made");
    QTest::addColumn<QStringList>("notMade");
    const QString verb = QStringLiteral("කරනවා");
    const QString noun = QStringLiteral("දෙය");
    const QString other = QStringLiteral("ලස්සන");
    QTest::newRow("doublet learnt") << "learn" << verb << QStringList{"learned", "learnt"} << QStringList{};
    QTest::newRow("doublet showed") << "show" << verb << QStringList{"showed", "shown"} << QStringList{"showen"};
    QTest::newRow("doublet lied") << "lie" << verb << QStringList{"lied", "lay", "lain", "lying"} << QStringList{};
    QTest::newRow("doublet persons") << "person" << noun << QStringList{"persons", "people"} << QStringList{};
    QTest::newRow("doublet older") << "old" << other << QStringList{"older", "oldest", "elder"} << QStringList{};
    QTest::newRow("no goed") << "go" << verb << QStringList{"went", "gone", "going"} << QStringList{"goed"};
    QTest::newRow("no worked wrought") << "work" << verb << QStringList{"worked"} << QStringList{"wrought"};
    QTest::newRow("no ponder of pond") << "pond" << other << QStringList{"ponds"} << QStringList{"ponder"};
    QTest::newRow("no cower of cow") << "cow" << other << QStringList{"cows"} << QStringList{"cower", "kine"};
    QTest::newRow("no muster of must") << "must" << other << QStringList{} << QStringList{"muster"};
    QTest::newRow("no everest of ever") << "ever" << other << QStringList{} << QStringList{"everest", "evers"};
    QTest::newRow("unknown word: no -er") << "with" << other << QStringList{} << QStringList{"wither"};
    QTest::newRow("unknown verb: guessed") << "zorb" << verb << QStringList{"zorbed", "zorbing"} << QStringList{};
    QTest::newRow("adverb") << "beautifully" << other << QStringList{} << QStringList{"beautifullies"};
    QTest::newRow("verb-adjective") << "clean" << verb << QStringList{"cleaner", "cleanest", "cleaned"}
                                    << QStringList{};
    QTest::newRow("verb-adjective y") << "dry" << verb << QStringList{"drier", "driest", "dried"} << QStringList{};
    QTest::newRow("verb-adjective e") << "free" << verb << QStringList{"freer", "freest", "freed"} << QStringList{};
    QTest::newRow("lexicon doubles") << "stop" << verb << QStringList{"stopped"} << QStringList{"stoped"};
    QTest::newRow("lexicon does not double") << "visit" << verb << QStringList{"visited"} << QStringList{"visitted"};
    QTest::newRow("final l: both") << "travel" << verb << QStringList{"travelled", "traveled"} << QStringList{};
    QTest::newRow("hyphenated") << "e-mail" << noun << QStringList{"e-mails", "e-mailed"} << QStringList{};
    QTest::newRow("hyphenated noun") << "t-shirt" << noun << QStringList{"t-shirts"} << QStringList{};
    QTest::newRow("phrase noun") << "bus stop" << noun << QStringList{"bus stops", "bus stop's"}
                                 << QStringList{"buses stop"};
    QTest::newRow("phrasal verb") << "give up" << verb << QStringList{"gave up", "given up", "gives up"}
                                  << QStringList{"give ups"};
    QTest::newRow("phrasal verb, our table")
        << "come on" << verb << QStringList{"came on", "coming on"} << QStringList{"comed on"};
    QTest::newRow("phrase, no verb") << "he is" << verb << QStringList{} << QStringList{"hed is", "he ises"};
    QTest::newRow("crises") << "crisis" << noun << QStringList{"crises"} << QStringList{"crisises"};
    QTest::newRow("phenomena") << "phenomenon" << noun << QStringList{"phenomena"} << QStringList{"phenomenons"};
    QTest::newRow("matrices") << "matrix" << noun << QStringList{"matrices", "matrixes"} << QStringList{};
    QTest::newRow("selves") << "self" << noun << QStringList{"selves"} << QStringList{"selfs"};
    QTest::newRow("strung") << "string" << noun << QStringList{"strung", "strings"} << QStringList{"stringed"};
    QTest::newRow("sprang sprung") << "spring" << noun << QStringList{"sprang", "sprung"} << QStringList{};
    QTest::newRow("sawn") << "saw" << noun << QStringList{"sawn", "sawed"} << QStringList{};
    QTest::newRow("quizzes") << "quiz" << noun << QStringList{"quizzes"} << QStringList{"quizes"};
}

void TestForms::lexiconForms()
{
    QFETCH(QString, headword);
    QFETCH(QString, senses);
    QFETCH(QStringList, made);
    QFETCH(QStringList, notMade);
    FormGenerator generator;
    EntryCollection entries;
    entries.add(headword, senses);
    generator.addHeadword(headword);
    generator.addForms(&entries);
    for (const QString &form : made)
        QVERIFY2(entries.find(form), qPrintable(form));
    for (const QString &form : notMade)
        QVERIFY2(!entries.find(form), qPrintable(form));
}

// Importing a list into a dictionary gives the forms one run over both lists
// gives: the file's headwords are no forms of the imported ones.
void TestForms::mergeMakesTheFormsOfOneRun()
{
    TestEnvironment environment;
    const QString ours = environment.path() + QStringLiteral("/ours.tsv");
    const QString theirs = environment.path() + QStringLiteral("/theirs.tsv");
    writeFile(ours, "do\tX\ndoes\tY\nnew\tZ\nnews\tW\nnumber\tV\n");
    writeFile(theirs, "doe\tA\nnew\tB\nnumb\tC\nbook\tD\n");
    // Every key with its senses in order of spelling: a merge keeps the
    // file's senses first, which may order them otherwise.
    const auto dictionaryAfter = [&](const QList<QStringList> &runs) {
        QFile::remove(environment.databasePath());
        for (const QStringList &sources : runs)
            runProgram(QStringLiteral(IMPORTER), QStringList(sources) << environment.databasePath(), QDir::rootPath());
        const QString dump = environment
                                 .scalar(QStringLiteral("select group_concat(key || char(9) || value, char(10)) "
                                                        "from (select key, value from dict order by key)"))
                                 .toString();
        QStringList keys = dump.split(QLatin1Char('\n'));
        for (QString &key : keys) {
            QStringList senses = key.section(QLatin1Char('\t'), 1).split(QLatin1Char('|'));
            senses.sort();
            key = key.section(QLatin1Char('\t'), 0, 0) + QLatin1Char('\t') + senses.join(QLatin1Char('|'));
        }
        return keys;
    };
    const QStringList merged = dictionaryAfter({{ours}, {theirs}});
    QCOMPARE(merged, dictionaryAfter({{ours, theirs}}));
    QVERIFY(merged.contains(QStringLiteral("does\t<a href='do'>do</a> (form)|Y")));
    QVERIFY(merged.contains(QStringLiteral("news\tW")));
    QVERIFY(merged.contains(QStringLiteral("number\tV")));
}

void TestForms::formKeys_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value"); // null: no such key
    const QString twoForms = link("stop", "past tense, past participle");
    QTest::newRow("irregular past") << "went" << joined({link("go", "past tense"), "යනවා"});
    QTest::newRow("irregular participle") << "gone" << joined({link("go", "past participle"), "යනවා"});
    QTest::newRow("noun and verb -s") << "goes" << joined({link("go", "plural, 3rd person"), "යනවා"});
    QTest::newRow("regular past, doubled") << "stopped" << joined({twoForms, "නවත්වනවා", "නැවතුම"});
    QTest::newRow("verb and noun -s") << "stops" << joined({link("stop", "plural, 3rd person"), "නවත්වනවා", "නැවතුම"});
    QTest::newRow("comparative") << "happier" << joined({link("happy", "comparative"), "සතුටු"});
    QTest::newRow("no happied") << "happied" << QString();
    QTest::newRow("no regular past of a listed verb") << "goed" << QString();
    QTest::newRow("two bases") << "leaves"
                               << joined({link("leaf", "plural"), "කොළය", link("leave", "plural, 3rd person"),
                                          "පිටත් වෙනවා", "අත්හරිනවා"});
    QTest::newRow("headword gains the link") << "saw" << joined({"කියත", "දැක්කා", link("see", "past tense")});
    QTest::newRow("table links a headword") << "better" << joined({"වඩා හොඳ", link("good", "comparative")});
    QTest::newRow("no rule links a headword") << "news"
                                              << "පුවත්";
    QTest::newRow("contraction") << "don't" << joined({link("do not", "short form"), "එපා", "නොකරන්න"});
    QTest::newRow("contraction, typographic") << "don’t" << joined({link("do not", "short form"), "එපා", "නොකරන්න"});
    QTest::newRow("possessive") << "water's" << joined({link("water", "possessive"), "වතුර", "ජලය"});
    // An expansion that is no headword: each word's first sense; 'd is
    // would and had.
    const auto words = [](const char *first, const char *second) {
        return QStringLiteral("<a href='%1'>%1</a> <a href='%2'>%2</a> (short form)").arg(first, second);
    };
    QTest::newRow("contraction by words") << "you'll" << joined({words("you", "will"), "ඔබ", "කරනු ඇත"});
    QTest::newRow("contraction, two readings")
        << "he'd" << joined({words("he", "would"), "ඔහු", "කරනු ඇත", words("he", "had"), "තිබුණා"});
    QTest::newRow("-ing headword keeps its verb") << "feeling" << joined({"හැඟීම", link("feel", "-ing form")});
    QTest::newRow("possessive, typographic") << "water’s" << joined({link("water", "possessive"), "වතුර", "ජලය"});
    QTest::newRow("headword, typographic") << "o’clock"
                                           << "ඔරලෝසුවේ වේලාව";
    QTest::newRow("capitals: no regular forms") << "englishes" << QString();
    // The senses that fit the form come first.
    QTest::newRow("past: verb senses first")
        << "formed" << joined({link("form", "past tense, past participle"), "පිහිටුවනවා", "පෝරමය"});
    QTest::newRow("both kinds: order kept")
        << "forms" << joined({link("form", "plural, 3rd person"), "පෝරමය", "පිහිටුවනවා"});
    QTest::newRow("possessive: other senses first")
        << "stop's" << joined({link("stop", "possessive"), "නැවතුම", "නවත්වනවා"});
}

void TestForms::formKeys()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    static const QHash<QString, QString> keys = importedKeys(true);
    QCOMPARE(keys.contains(key), !value.isNull());
    QCOMPARE(keys.value(key), value);
}

void TestForms::formsGiveNoReverseKeysAndNoFormsOfForms()
{
    const QHash<QString, QString> withForms = importedKeys(true);
    const QHash<QString, QString> withoutForms = importedKeys(false);
    // The Sinhala keys are the same, built from the real senses alone.
    const auto sinhalaKeys = [](const QHash<QString, QString> &keys) {
        QHash<QString, QString> sinhala;
        for (auto it = keys.cbegin(); it != keys.cend(); ++it) {
            if (it.key().at(0).script() == QChar::Script_Sinhala)
                sinhala.insert(it.key(), it.value());
        }
        return sinhala;
    };
    QCOMPARE(sinhalaKeys(withForms), sinhalaKeys(withoutForms));
    QCOMPARE(sinhalaKeys(withForms).value(QStringLiteral("නවත්වනවා")), QStringLiteral("stop"));
    for (const char *formOfForm : {"wents", "stoppeds", "stoppings", "happiers", "water's's", "leaveses"})
        QVERIFY2(!withForms.contains(QLatin1String(formOfForm)), formOfForm);
}

// A real word that the rules would take for a form of another keeps out of
// the dictionary rather than be shown wrong.
void TestForms::tableLineStopsAWrongForm()
{
    QStringList errors;
    FormGenerator generator(FormGenerator::parseTable(QStringLiteral("homer\thome\tnone\n"), &errors));
    QCOMPARE(errors, QStringList());
    EntryCollection entries;
    entries.add(QStringLiteral("home"), QString::fromUtf8("ගෙදර"));
    generator.addHeadword(QStringLiteral("home"));
    generator.addForms(&entries);
    QStringList keys;
    for (const Entry &entry : entries.entries())
        keys.append(entry.key);
    QVERIFY(keys.contains(QStringLiteral("homes")));
    QVERIFY(keys.contains(QStringLiteral("homest")));
    QVERIFY(!keys.contains(QStringLiteral("homer")));
}

void TestForms::irregularTable()
{
    QStringList errors;
    const QList<IrregularForm> table = FormGenerator::parseTable(
        QStringLiteral("# comment\nwent\tgo\tpast\n\nBetter\tGood\tcomparative\nx\ty\tbogus\nz\tw\n"), &errors);
    QCOMPARE(table.size(), 2);
    QCOMPARE(table.at(1).form, QStringLiteral("better"));
    QCOMPARE(table.at(1).base, QStringLiteral("good"));
    QCOMPARE(table.at(1).kind, FormKind::Comparative);
    QCOMPARE(errors,
             (QStringList{"line 5: expected form<TAB>base<TAB>kind", "line 6: expected form<TAB>base<TAB>kind"}));

    // The one the importer carries reads without a bad line.
    QFile shipped(QStringLiteral(":/data/en-irregular.tsv"));
    QVERIFY(shipped.open(QIODevice::ReadOnly));
    const QByteArray text = shipped.readAll();
    QVERIFY(text.startsWith("# SPDX-License-Identifier: MIT\n"));
    QStringList shippedErrors;
    QVERIFY(!FormGenerator::parseTable(QString::fromUtf8(text), &shippedErrors).isEmpty());
    QCOMPARE(shippedErrors, QStringList());
}

void TestForms::importerCarriesTheTable()
{
    TestEnvironment environment;
    const QString source = environment.path() + QStringLiteral("/list.tsv");
    writeFile(source, "go\t\xE0\xB6\xBA\xE0\xB6\xB1\xE0\xB7\x80\xE0\xB7\x8F\n");
    for (const bool forms : {true, false}) {
        QFile::remove(environment.databasePath());
        QStringList arguments{source, environment.databasePath()};
        if (!forms)
            arguments.prepend(QStringLiteral("--no-forms"));
        QCOMPARE(runProgram(QStringLiteral(IMPORTER), arguments, QDir::rootPath()).status, 0);
        QCOMPARE(environment.scalar(QStringLiteral("select count(*) from dict where key = 'went'")).toInt(),
                 forms ? 1 : 0);
    }
}

void TestForms::formLinksLookUpTheHeadword_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("headword");
    QTest::addColumn<QString>("headwordShown");
    QTest::newRow("went") << "went"
                          << "go (past tense)\nයනවා\n"
                          << "go"
                          << "යනවා\n";
    QTest::newRow("don’t") << "don’t"
                           << "do not (short form)\nඑපා\nනොකරන්න\n"
                           << "do not"
                           << "එපා\nනොකරන්න\n";
}

void TestForms::formLinksLookUpTheHeadword()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, headword);
    QFETCH(QString, headwordShown);
    auto environment = quietEnvironmentWith(importedKeys(true));
    auto boxes = std::make_unique<ModalWatcher>();
    {
        WindowDriver driver;
        QVERIFY(driver.activate());
        driver.search(typed);
        QCOMPARE(driver.resultView->toPlainText(), shown);
        QCOMPARE(anchorTargets(driver.resultView), QStringList{linkTargetForWord(headword)});
        clickAnchor(driver.resultView, 0);
        QCOMPARE(driver.resultView->toPlainText(), headwordShown);
        QCOMPARE(driver.searchBox->text(), headword);
        QCOMPARE(environment->history(), (QStringList{typed, headword}));
    }
    finishTestCase(boxes, environment);
}

QTEST_MAIN(TestForms)
#include "tst_forms.moc"

// SPDX-License-Identifier: MIT
// Inflected forms: the spelling rules, the irregular table, which keys the
// forms may take, and following a form's link in the window.
#include "commands/linktarget.h"
#include "testsupport.h"
#include "tools/importer/importer.h"
#include "windowdriver.h"

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
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("verb");
    QTest::addColumn<bool>("nonVerb");
    QTest::addColumn<bool>("adjective");
    QTest::addColumn<QStringList>("forms");
    QTest::newRow("plain verb") << "walk" << true << false << false << QStringList{"walked", "walking", "walks"};
    QTest::newRow("doubling") << "stop" << true << false << false << QStringList{"stopped", "stopping", "stops"};
    QTest::newRow("qu is a consonant") << "quit" << true << false << false
                                       << QStringList{"quits", "quitted", "quitting"};
    QTest::newRow("w x y never double") << "fix" << true << false << false << QStringList{"fixed", "fixes", "fixing"};
    QTest::newRow("longer word: both") << "visit" << true << false << false
                                       << QStringList{"visited", "visiting", "visits", "visitted", "visitting"};
    QTest::newRow("e drops") << "bake" << true << false << false << QStringList{"baked", "bakes", "baking"};
    QTest::newRow("ue drops e") << "argue" << true << false << false << QStringList{"argued", "argues", "arguing"};
    QTest::newRow("ee stays") << "agree" << true << false << false << QStringList{"agreed", "agreeing", "agrees"};
    QTest::newRow("ie to y") << "die" << true << false << false << QStringList{"died", "dies", "dying"};
    QTest::newRow("consonant y") << "carry" << true << false << false << QStringList{"carried", "carries", "carrying"};
    QTest::newRow("vowel y") << "play" << true << false << false << QStringList{"played", "playing", "plays"};
    QTest::newRow("sibilant") << "wish" << true << false << false << QStringList{"wished", "wishes", "wishing"};
    QTest::newRow("consonant o") << "veto" << true << false << false
                                 << QStringList{"vetoed", "vetoes", "vetoing", "vetos"};
    QTest::newRow("two-letter verb") << "go" << true << false << false << QStringList{"goed", "goes", "going", "gos"};
    QTest::newRow("adjective, no happied")
        << "happy" << false << true << true << QStringList{"happier", "happies", "happiest", "happy's"};
    QTest::newRow("adjective doubling") << "big" << false << true << true
                                        << QStringList{"big's", "bigger", "biggest", "bigs"};
    QTest::newRow("adjective e") << "large" << false << true << true
                                 << QStringList{"large's", "larger", "larges", "largest"};
    QTest::newRow("noun: no boxer") << "box" << false << true << false << QStringList{"box's", "boxes"};
    QTest::newRow("long word: no -er") << "beautiful" << false << true << true
                                       << QStringList{"beautiful's", "beautifuls"};
    QTest::newRow("verb and noun") << "act" << true << true << false << QStringList{"act's", "acted", "acting", "acts"};
    QTest::newRow("two-letter non-verb") << "it" << false << true << true << QStringList();
    QTest::newRow("two words") << "ice cream" << false << true << true << QStringList();
    QTest::newRow("not latin") << "café" << false << true << true << QStringList();
}

void TestForms::regularForms()
{
    QFETCH(QString, word);
    QFETCH(bool, verb);
    QFETCH(bool, nonVerb);
    QFETCH(bool, adjective);
    QFETCH(QStringList, forms);
    QStringList made;
    for (const RegularForm &form : FormGenerator::regularForms(word, verb, nonVerb, adjective))
        made.append(form.form);
    made.sort();
    made.removeDuplicates();
    QCOMPARE(made, forms);
}

void TestForms::formKeys_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value"); // null: no such key
    const QString twoForms = link("stop", "past tense, past participle");
    QTest::newRow("irregular past") << "went" << joined({link("go", "past tense"), "යනවා"});
    QTest::newRow("irregular participle") << "gone" << joined({link("go", "past participle"), "යනවා"});
    QTest::newRow("third person") << "goes" << joined({link("go", "3rd person"), "යනවා"});
    QTest::newRow("regular past, doubled") << "stopped" << joined({twoForms, "නවත්වනවා", "නැවතුම"});
    QTest::newRow("verb and noun -s") << "stops" << joined({link("stop", "plural, 3rd person"), "නවත්වනවා", "නැවතුම"});
    QTest::newRow("comparative") << "happier" << joined({link("happy", "comparative"), "සතුටු"});
    QTest::newRow("no happied") << "happied" << QString();
    QTest::newRow("no regular past of a listed verb") << "goed" << QString();
    QTest::newRow("two bases") << "leaves"
                               << joined({link("leaf", "plural"), "කොළය", link("leave", "3rd person"), "පිටත් වෙනවා",
                                          "අත්හරිනවා"});
    QTest::newRow("headword gains the link") << "saw" << joined({"කියත", "දැක්කා", link("see", "past tense")});
    QTest::newRow("table links a headword") << "better" << joined({"වඩා හොඳ", link("good", "comparative")});
    QTest::newRow("no rule links a headword") << "news"
                                              << "පුවත්";
    QTest::newRow("contraction") << "don't" << joined({link("do not", "short form"), "එපා", "නොකරන්න"});
    QTest::newRow("contraction, typographic") << "don’t" << joined({link("do not", "short form"), "එපා", "නොකරන්න"});
    QTest::newRow("possessive") << "water's" << joined({link("water", "possessive"), "වතුර", "ජලය"});
    QTest::newRow("possessive, typographic") << "water’s" << joined({link("water", "possessive"), "වතුර", "ජලය"});
    QTest::newRow("headword, typographic") << "o’clock"
                                           << "ඔරලෝසුවේ වේලාව";
    QTest::newRow("capitals: no regular forms") << "englishes" << QString();
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

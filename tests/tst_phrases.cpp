// SPDX-License-Identifier: MIT
// Phrases: the line of phrases a word heads, inflected phrases as keys, and
// following a phrase link in the window.
#include "format/resultformat.h"
#include "tests/testsupport.h"
#include "tests/windowdriver.h"
#include "tools/importer/importer.h"

#include <QTest>

namespace {

// Headwords as a source gives them, with their senses.
const QList<QPair<QString, QString>> sourceRecords = {
    {"account", "ගිණුම|විස්තරය"},
    {"on account of", "නිසා"},
    {"account for", "පැහැදිලි කරනවා"},
    {"take into account", "සැලකිල්ලට ගන්නවා"},
    {"take", "ගන්නවා"},
    {"give", "දෙනවා"},
    {"give up", "අත්හරිනවා"},
    {"up", "උඩට"},
    {"of", "ගේ"},
    {"long", "දිග"},
    {"as long as", "තාක් කල්"},
    {"as well as", "මෙන්ම"},
    {"bus", "බස් රථය"},
    {"stop", "නවතිනවා|නැවතුම"},
    {"bus stop", "බස් නැවතුම"},
    {"he is", "ඔහු ඉන්නවා"},
};

QHash<QString, QString> importedKeys()
{
    return importedEntries(sourceRecords);
}

QString line(const QStringList &phrases)
{
    QStringList links;
    for (const QString &phrase : phrases)
        links.append(linkHtml(phrase));
    return links.join(QLatin1String(", "));
}

QString formOf(const QString &phrase, const QString &label, const QString &senses)
{
    return linkHtml(phrase) + QStringLiteral(" (%1)|").arg(label) + senses;
}

} // namespace

class TestPhrases : public QObject
{
    Q_OBJECT

private slots:
    void phraseKeys_data();
    void phraseKeys();
    void atMostEightMostCommonFirst();
    void linksNeverBecomeSinhalaKeys();
    void mergeKeepsTheLineLastAndOutOfForms();
    void phraseLinksLookUpThePhrase();
};

void TestPhrases::phraseKeys_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value"); // null: no such key
    // Ranked by WordNet's counts: account for, then take into account; on
    // account of is no WordNet lemma.
    QTest::newRow("the phrases a word heads")
        << "account"
        << "ගිණුම|විස්තරය|" + line({"account for", "take into account", "on account of"});
    QTest::newRow("every content word heads") << "take"
                                              << "ගන්නවා|" + line({"take into account"});
    QTest::newRow("a phrase of mostly function words") << "long"
                                                       << "දිග|" + line({"as long as"});
    QTest::newRow("function words head none") << "up"
                                              << "උඩට";
    QTest::newRow("nor does of") << "of"
                                 << "ගේ";
    QTest::newRow("a phrase heads no phrase") << "give up"
                                              << "අත්හරිනවා";
    QTest::newRow("a form copies no phrase line") << "gave" << linkHtml("give") + " (past tense)|දෙනවා";
    QTest::newRow("past of a phrasal verb") << "gave up" << formOf("give up", "past tense", "අත්හරිනවා");
    // Account is a noun here; account for makes it a verb.
    QTest::newRow("a verb only in the phrase")
        << "accounted for" << formOf("account for", "past tense, past participle", "පැහැදිලි කරනවා");
    QTest::newRow("a compound inflects its last word") << "bus stops" << formOf("bus stop", "plural", "බස් නැවතුම");
    QTest::newRow("nor does a pronoun") << "hes is" << QString();
}

void TestPhrases::phraseKeys()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    static const QHash<QString, QString> keys = importedKeys();
    QCOMPARE(keys.contains(key), !value.isNull());
    QCOMPARE(keys.value(key), value);
}

void TestPhrases::atMostEightMostCommonFirst()
{
    const QStringList particles{"along", "away", "back", "by", "in", "off", "on", "out", "over", "up"};
    PhraseLine phrases({{"get up", 5}, {"get over", 9}});
    EntryCollection entries;
    entries.add(QStringLiteral("get"), QString::fromUtf8("ලබනවා"));
    phrases.addHeadword(QStringLiteral("get"));
    for (const QString &particle : particles) {
        const QString phrase = QStringLiteral("get ") + particle;
        entries.add(phrase, QStringLiteral("x"));
        phrases.addHeadword(phrase);
    }
    phrases.addLines(&entries);
    QCOMPARE(entries.find(QStringLiteral("get"))->senses(),
             (QStringList{"ලබනවා", line({"get over", "get up", "get along", "get away", "get back", "get by", "get in",
                                         "get off"})}));
}

// The Sinhala keys are those of the senses alone: no link of a form or a
// phrase line reaches them, and no key is a link.
void TestPhrases::linksNeverBecomeSinhalaKeys()
{
    const QHash<QString, QString> keys = importedKeys();
    for (auto it = keys.cbegin(); it != keys.cend(); ++it) {
        QVERIFY2(!it.key().contains(QLatin1Char('<')), qPrintable(it.key()));
        if (it.key().at(0).script() == QChar::Script_Sinhala)
            QVERIFY2(!it.value().contains(QLatin1Char('<')), qPrintable(it.key()));
    }
    QCOMPARE(keys.value(QStringLiteral("පැහැදිලි කරනවා")), QStringLiteral("account for"));
}

// Imported into a dictionary that has the line: it stays one, after the
// senses of both, and the forms made again of the file's words copy none.
void TestPhrases::mergeKeepsTheLineLastAndOutOfForms()
{
    auto environment = quietEnvironmentWith(importedKeys());
    Importer importer(ImportOptions{});
    importer.addRecord({{"give"}, {"දීම"}});
    importer.readExisting(environment->databasePath());
    importer.addForms();
    QString error;
    QVERIFY2(importer.write(environment->databasePath(), &error), qPrintable(error));
    const auto value = [&environment](const char *key) {
        return environment->scalar(QStringLiteral("select value from dict where key = '%1'").arg(key)).toString();
    };
    QCOMPARE(value("give"), "දෙනවා|දීම|" + line({"give up"}));
    QCOMPARE(value("gave"), linkHtml("give") + " (past tense)|දෙනවා|දීම");
}

void TestPhrases::phraseLinksLookUpThePhrase()
{
    auto environment = quietEnvironmentWith(importedKeys());
    auto boxes = std::make_unique<ModalWatcher>();
    {
        WindowDriver driver;
        QVERIFY(driver.activate());
        driver.search(QStringLiteral("account"));
        QCOMPARE(driver.resultView->toPlainText(),
                 QString::fromUtf8("ගිණුම\nවිස්තරය\naccount for, take into account, on account of\n"));
        QCOMPARE(anchorTargets(driver.resultView),
                 (QStringList{"account%20for", "take%20into%20account", "on%20account%20of"}));
        // The space in the target survives the view's URL handling.
        clickAnchor(driver.resultView, 0);
        QCOMPARE(driver.resultView->toPlainText(), QString::fromUtf8("පැහැදිලි කරනවා\n"));
        QCOMPARE(driver.searchBox->text(), QStringLiteral("account for"));

        driver.search(QStringLiteral("gave up"));
        clickAnchor(driver.resultView, 0);
        QCOMPARE(driver.resultView->toPlainText(), QString::fromUtf8("අත්හරිනවා\n"));
        QCOMPARE(driver.searchBox->text(), QStringLiteral("give up"));
        QCOMPARE(environment->history(), (QStringList{"account", "account for", "gave up", "give up"}));
    }
    finishTestCase(boxes, environment);
}

QTEST_MAIN(TestPhrases)
#include "tst_phrases.moc"

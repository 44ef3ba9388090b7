// SPDX-License-Identifier: MIT
// The words the search box offers as the user types: keys that begin with
// the text, the nearest spellings where none does, and how the window
// searches the one chosen.
#include "app/searchcompleter.h"
#include "store/completionmodel.h"
#include "store/dictionarystore.h"
#include "tests/testsupport.h"
#include "tests/windowdriver.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QCompleter>
#include <QFile>
#include <QSqlDatabase>
#include <QTest>

#include <utility>

namespace {

using Checker = SpellingSuggester::Checker;

// Common English misspellings, "typed>meant"; every word meant is a key of
// the shipped list.
const char misspellings[] =
    "recieve>receive definately>definitely wich>which beleive>believe seperate>separate occured>occurred "
    "untill>until tommorow>tomorrow goverment>government neccessary>necessary wierd>weird thier>their "
    "truely>truly arguement>argument embarass>embarrass existance>existence calender>calendar "
    "begining>beginning independant>independent rythm>rhythm acheive>achieve adress>address "
    "agressive>aggressive apparantly>apparently buisness>business catagory>category cemetary>cemetery "
    "collegue>colleague comming>coming commitee>committee concious>conscious curiousity>curiosity "
    "dissapoint>disappoint enviroment>environment familar>familiar finaly>finally foriegn>foreign "
    "freind>friend gaurd>guard happend>happened immediatly>immediately knowlege>knowledge libary>library "
    "maintenence>maintenance occassion>occasion posession>possession prefered>preferred "
    "propoganda>propaganda recomend>recommend refered>referred relevent>relevant religous>religious "
    "restaraunt>restaurant sieze>seize succesful>successful suprise>surprise tatoo>tattoo tounge>tongue "
    "vaccum>vacuum writting>writing yeild>yield speach>speech sucess>success becuase>because "
    "realy>really bizzare>bizarre wether>whether beautyful>beautiful temprature>temperature "
    "greatful>grateful hieght>height peice>piece reciept>receipt strenght>strength febuary>february "
    "intresting>interesting diffrent>different probaly>probably vegtable>vegetable tomatos>tomatoes "
    "acknowlege>acknowledge disapear>disappear grammer>grammar excercise>exercise carrer>career "
    "medecine>medicine ";

// water, watchtower and wattle with ranks or without.
const QList<Row> watRows = {
    {"watchtower", "මුරකොටුව"}, {"wattle", "වැට"}, {"water", "වතුර"}, {"was", "<a href='be'>be</a> (past)"}};

// The offers' popup, once the first keystroke has made it.
QAbstractItemView *popupOf(const WindowDriver &driver)
{
    const auto *completer = driver.searchBox->findChild<SearchCompleter *>();
    return completer && completer->completer() ? completer->completer()->popup() : nullptr;
}

bool popupShown(const WindowDriver &driver)
{
    const QAbstractItemView *popup = popupOf(driver);
    return popup && popup->isVisible();
}

} // namespace

class TestCompletion : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void prefixOffers_data();
    void prefixOffers();
    void ranksOrderTheOffers_data();
    void ranksOrderTheOffers();
    void misspellingsOfferTheWordMeant();

    void choosingAnOfferLooksItUp();
    void returnSearchesTheTypedText();
    void onlyTypedWordsOpenThePopup_data();
    void onlyTypedWordsOpenThePopup();

private:
    void useShippedList();
    void openStore();
    std::unique_ptr<WindowDriver> openWindow();

    std::unique_ptr<TestEnvironment> environment;
    std::unique_ptr<ModalWatcher> boxes;
    std::unique_ptr<QSqlDatabase> database;
};

void TestCompletion::init()
{
    environment = std::make_unique<TestEnvironment>();
    environment->writeSettings({{"startup", false}, {"check", false}});
    QGuiApplication::clipboard()->clear();
    boxes = std::make_unique<ModalWatcher>();
}

void TestCompletion::cleanup()
{
    database.reset();
    QSqlDatabase::removeDatabase(QLatin1String(QSqlDatabase::defaultConnection));
    finishTestCase(boxes, environment);
}

void TestCompletion::useShippedList()
{
    QVERIFY(QFile::copy(QStringLiteral(SHIPPED_DB), environment->databasePath()));
}

void TestCompletion::openStore()
{
    database = std::make_unique<QSqlDatabase>(QSqlDatabase::addDatabase(QStringLiteral("QSQLITE")));
    QString error;
    QVERIFY2(DictionaryStore::open(*database, &error), qPrintable(error));
}

std::unique_ptr<WindowDriver> TestCompletion::openWindow()
{
    auto driver = std::make_unique<WindowDriver>();
    if (!driver->activate())
        qWarning("window did not become active");
    return driver;
}

void TestCompletion::prefixOffers_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("firstOffers");
    QTest::addColumn<bool>("nothingElse");

    QTest::newRow("common before rare") << "wat" << QStringList{"watch", "water"} << false;
    QTest::newRow("capitals") << "WaT" << QStringList{"watch", "water"} << false;
    QTest::newRow("cleaned like a lookup") << QString::fromUtf8("“Wat") << QStringList{"watch", "water"} << false;
    QTest::newRow("headwords and phrases before forms") << "ice" << QStringList{"ice", "ice cream", "iceberg"} << false;
    QTest::newRow("no form begins with it") << "begining" << QStringList{"beginning"} << false;
    if (SpellingSuggester::builtWithHunspell())
        QTest::newRow("a form Hunspell knows") << "cats" << QStringList{"cats"} << true;
    QTest::newRow("a whole word first") << "book" << QStringList{"book"} << false;
    QTest::newRow("phrases") << "bus s" << QStringList{"bus stop"} << false;
    QTest::newRow("Sinhala") << QString::fromUtf8("පොත") << QStringList{QString::fromUtf8("පොත")} << false;
    QTest::newRow("nearest spelling") << "recieve" << QStringList{"receive"} << false;
    QTest::newRow("short miss offers nothing") << "wxq" << QStringList() << false;
    QTest::newRow("command") << "-h" << QStringList() << false;
    QTest::newRow("start of a command") << "--hist" << QStringList() << false;
    QTest::newRow("only spaces") << "   " << QStringList() << false;
}

void TestCompletion::prefixOffers()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, firstOffers);
    QFETCH(bool, nothingElse);
    useShippedList();
    openStore();
    CompletionModel model;
    model.setText(typed);
    QVERIFY(model.offers().size() <= CompletionModel::maxOffers);
    QCOMPARE(model.offers().mid(0, firstOffers.size()), firstOffers);
    QCOMPARE(model.rowCount(), int(model.offers().size()));
    QVERIFY(firstOffers.isEmpty() || !model.offers().isEmpty());
    if (nothingElse || firstOffers.isEmpty())
        QCOMPARE(model.offers(), firstOffers);
}

void TestCompletion::ranksOrderTheOffers_data()
{
    QTest::addColumn<QStringList>("schema");
    QTest::addColumn<QList<Row>>("ranks");
    QTest::addColumn<QStringList>("offers");

    const QStringList noRankTable = {"create table dict(key text primary key, value text)",
                                     "create table history(id integer primary key autoincrement, word text)"};
    QTest::newRow("ranked") << QStringList()
                            << QList<Row>{{"water", 10}, {"was", 110}, {"wattle", 50}, {"watchtower", 40}}
                            << QStringList{"water", "watchtower", "wattle"};
    QTest::newRow("no ranks: shorter first")
        << QStringList() << QList<Row>() << QStringList{"water", "wattle", "watchtower"};
    QTest::newRow("no rank table") << noRankTable << QList<Row>() << QStringList{"water", "wattle", "watchtower"};
}

void TestCompletion::ranksOrderTheOffers()
{
    QFETCH(QStringList, schema);
    QFETCH(QList<Row>, ranks);
    QFETCH(QStringList, offers);
    environment->createDictionary(watRows, schema);
    for (const Row &rank : ranks)
        environment->exec(
            QStringLiteral("insert into keyrank values('%1', %2)").arg(rank.first, rank.second.toString()));
    openStore();
    CompletionModel model;
    model.setText(QStringLiteral("wat"));
    QCOMPARE(model.offers(), offers);
}

void TestCompletion::misspellingsOfferTheWordMeant()
{
    useShippedList();
    openStore();
    QList<Checker> checkers = {Checker::OwnSearchOnly};
    if (SpellingSuggester::builtWithHunspell())
        checkers.append(Checker::WithHunspell);
    QStringList misses;
    for (const Checker checker : checkers) {
        CompletionModel model(nullptr, checker);
        for (const QString &pair : QString::fromLatin1(misspellings).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString typed = pair.section(QLatin1Char('>'), 0, 0);
            const QString meant = pair.section(QLatin1Char('>'), 1);
            model.setText(typed);
            if (!model.offers().mid(0, 3).contains(meant))
                misses.append(QStringLiteral("%1%2 -> %3")
                                  .arg(checker == Checker::OwnSearchOnly ? "own: " : "Hunspell: ", typed,
                                       model.offers().join(QLatin1Char(','))));
        }
    }
    QVERIFY2(misses.isEmpty(), qPrintable(misses.join(QLatin1Char('\n'))));
}

void TestCompletion::choosingAnOfferLooksItUp()
{
    environment->createDictionary(watRows);
    environment->exec(QStringLiteral("insert into keyrank values('water', 10)"));
    auto driver = openWindow();
    driver->alwaysOnTop->setChecked(true);
    driver->activate();
    driver->type(QStringLiteral("wat"));
    QTRY_VERIFY(popupShown(*driver));
    QVERIFY(popupOf(*driver)->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QTest::keyClick(popupOf(*driver), Qt::Key_Down);
    driver->pressReturn();
    QCOMPARE(driver->searchBox->text(), QStringLiteral("water"));
    QCOMPARE(driver->searchBox->selectedText(), QStringLiteral("water"));
    QCOMPARE(shownHtml(driver->resultView), renderedAs(QString::fromUtf8("වතුර<br />")));
    QCOMPARE(environment->history(), QStringList{"water"});
    QVERIFY(!popupShown(*driver));
}

void TestCompletion::returnSearchesTheTypedText()
{
    environment->createDictionary(watRows);
    auto driver = openWindow();
    // A prefix that is no key finds nothing; a key finds itself.
    driver->type(QStringLiteral("wat"));
    QTRY_VERIFY(popupShown(*driver));
    driver->pressReturn();
    QCOMPARE(driver->searchBox->text(), QStringLiteral("wat"));
    QCOMPARE(shownHtml(driver->resultView), renderedAs(QStringLiteral("<br />")));
    QVERIFY(!popupShown(*driver));
    driver->type(QStringLiteral("wattle"));
    QTRY_VERIFY(popupShown(*driver));
    driver->pressReturn();
    QCOMPARE(shownHtml(driver->resultView), renderedAs(QString::fromUtf8("වැට<br />")));
    QCOMPARE(environment->history(), QStringList{"wattle"});
}

void TestCompletion::onlyTypedWordsOpenThePopup_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("popup");

    QTest::newRow("typed word") << "typed"
                                << "wat" << true;
    QTest::newRow("typed command") << "typed"
                                   << "-h" << false;
    QTest::newRow("typed start of a command") << "typed"
                                              << "--hi" << false;
    QTest::newRow("set by the program") << "set"
                                        << "wat" << false;
    QTest::newRow("clipboard at start") << "clipboard"
                                        << "wat" << false;
    QTest::newRow("clicked link") << "link"
                                  << "water" << false;
}

void TestCompletion::onlyTypedWordsOpenThePopup()
{
    QFETCH(QString, how);
    QFETCH(QString, text);
    QFETCH(bool, popup);
    environment->createDictionary(watRows);
    if (how == QLatin1String("clipboard"))
        QGuiApplication::clipboard()->setText(text);
    if (how == QLatin1String("link"))
        environment->exec(QStringLiteral("insert into history(word) values('%1')").arg(text));
    auto driver = openWindow();
    if (how == QLatin1String("typed"))
        driver->type(text);
    else if (how == QLatin1String("set"))
        driver->searchBox->setText(text);
    if (how == QLatin1String("link")) {
        driver->search(QStringLiteral("-H"));
        clickAnchor(driver->resultView, 0);
    }
    QCOMPARE(driver->searchBox->text(), text);
    QTest::qWait(50);
    QCOMPARE(popupShown(*driver), popup);
}

QTEST_MAIN(TestCompletion)
#include "tst_completion.moc"

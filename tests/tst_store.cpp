// SPDX-License-Identifier: MIT
// The result HTML and the statements on the dictionary file.
#include "format/resultformat.h"
#include "store/dictionarystore.h"
#include "tests/testsupport.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QTest>

class TestStore : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void senseListHtml_data();
    void senseListHtml();
    void historyListHtml_data();
    void historyListHtml();

    void openNeverCreatesTheFile();
    void openFindsTheFileInTheWorkingDirectory();
    void lookupKeepsTheLastRow();
    void lookupBindsTheWord_data();
    void lookupBindsTheWord();
    void recentWordsAreTheNewestTwenty();
    void clearEmptiesOnlyTheHistory();
    void statementsFailOnAFileThatIsNotSqlite();

private:
    bool openStore(QString *error = nullptr);
    void closeStore();

    TestEnvironment *environment = nullptr;
    QSqlDatabase *database = nullptr;
};

void TestStore::init()
{
    environment = new TestEnvironment;
}

void TestStore::cleanup()
{
    closeStore();
    delete environment;
    environment = nullptr;
}

bool TestStore::openStore(QString *error)
{
    database = new QSqlDatabase(QSqlDatabase::addDatabase(QStringLiteral("QSQLITE")));
    QString ignored;
    return DictionaryStore::open(*database, error ? error : &ignored);
}

void TestStore::closeStore()
{
    if (!database)
        return;
    delete database;
    database = nullptr;
    QSqlDatabase::removeDatabase(QLatin1String(QSqlDatabase::defaultConnection));
}

void TestStore::senseListHtml_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("html");
    QTest::newRow("empty") << ""
                           << "<br />";
    QTest::newRow("one sense") << "apple"
                               << "apple<br />";
    QTest::newRow("two senses") << "a|b"
                                << "a<br />b<br />";
    QTest::newRow("adjacent bars") << "a||b"
                                   << "a<br /><br />b<br />";
    QTest::newRow("leading bar") << "|a"
                                 << "<br />a<br />";
    QTest::newRow("trailing bar") << "a|"
                                  << "a<br /><br />";
    QTest::newRow("markup kept") << "<b>x</b>|y"
                                 << "<b>x</b><br />y<br />";
    QTest::newRow("sinhala") << QString::fromUtf8("වතුර|ජලය") << QString::fromUtf8("වතුර<br />ජලය<br />");
}

void TestStore::senseListHtml()
{
    QFETCH(QString, entry);
    QFETCH(QString, html);
    QCOMPARE(::senseListHtml(entry), html);
}

void TestStore::historyListHtml_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QString>("html");
    QTest::newRow("none") << QStringList() << "";
    QTest::newRow("one") << QStringList{"apple"} << "<a href='apple'>apple</a><br/>";
    QTest::newRow("two, in order") << QStringList{"b", "a"} << "<a href='b'>b</a><br/><a href='a'>a</a><br/>";
    QTest::newRow("apostrophe") << QStringList{"o'clock"} << "<a href='o%27clock'>o'clock</a><br/>";
    QTest::newRow("markup escaped") << QStringList{"<i>&"} << "<a href='%3Ci%3E%26'>&lt;i&gt;&amp;</a><br/>";
    QTest::newRow("space and hash") << QStringList{"c# x"} << "<a href='c%23%20x'>c# x</a><br/>";
}

void TestStore::historyListHtml()
{
    QFETCH(QStringList, words);
    QFETCH(QString, html);
    QCOMPARE(::historyListHtml(words), html);
}

void TestStore::openNeverCreatesTheFile()
{
    QString error;
    QVERIFY(!openStore(&error));
    QVERIFY(!QFile::exists(environment->databasePath()));
    QVERIFY2(error.contains(environment->databasePath()), qPrintable(error));
    QVERIFY2(error.contains(QLatin1String("does not exist")), qPrintable(error));

    // Statements afterwards fail with a reason and still create nothing.
    QString value = QStringLiteral("stale");
    QVERIFY(!DictionaryStore::lookup(QStringLiteral("apple"), &value, &error));
    QVERIFY(value.isEmpty());
    QVERIFY(!error.isEmpty());
    QVERIFY(!DictionaryStore::record(QStringLiteral("apple"), &error));
    QVERIFY(!QFile::exists(environment->databasePath()));
}

void TestStore::openFindsTheFileInTheWorkingDirectory()
{
    environment->createDictionary({{"apple", "ඇපල්"}});
    QString error;
    QVERIFY2(openStore(&error), qPrintable(error));
    QString value;
    QVERIFY(DictionaryStore::lookup(QStringLiteral("apple"), &value, &error));
    QCOMPARE(value, QString::fromUtf8("ඇපල්"));
}

void TestStore::lookupKeepsTheLastRow()
{
    // No primary key here, so one key can have several rows.
    environment->createDatabase({"create table dict(key text, value text)",
                                 "create table history(id integer primary key autoincrement, word text)",
                                 "insert into dict values('apple', 'first')",
                                 "insert into dict values('apple', 'second')", "insert into dict values('blank', '')",
                                 "insert into dict values('nothing', null)"});
    QVERIFY(openStore());
    QString value;
    QString error;
    QVERIFY(DictionaryStore::lookup(QStringLiteral("apple"), &value, &error));
    QCOMPARE(value, QStringLiteral("second"));
    QVERIFY(DictionaryStore::lookup(QStringLiteral("blank"), &value, &error));
    QCOMPARE(value, QString());
    QVERIFY(DictionaryStore::lookup(QStringLiteral("nothing"), &value, &error));
    QCOMPARE(value, QString());
    QVERIFY(DictionaryStore::lookup(QStringLiteral("missing"), &value, &error));
    QCOMPARE(value, QString());
}

void TestStore::lookupBindsTheWord_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("value");
    QTest::newRow("injection") << "x'; drop table dict; --"
                               << "";
    QTest::newRow("quote") << "o'clock"
                           << "o value";
    QTest::newRow("trailing space") << "apple "
                                    << "";
    QTest::newRow("exact") << "apple"
                           << "a value";
    QTest::newRow("capitals are not lowered here") << "Apple"
                                                   << "";
}

void TestStore::lookupBindsTheWord()
{
    QFETCH(QString, word);
    QFETCH(QString, value);
    environment->createDictionary({{"apple", "a value"}, {"o'clock", "o value"}});
    QVERIFY(openStore());
    QString found;
    QString error;
    QVERIFY(DictionaryStore::lookup(word, &found, &error));
    QCOMPARE(found, value);
    QVERIFY(DictionaryStore::record(word, &error));
    QCOMPARE(environment->scalar(QStringLiteral("select count(*) from dict")).toInt(), 2);
    QCOMPARE(environment->history(), QStringList{word});
}

void TestStore::recentWordsAreTheNewestTwenty()
{
    environment->createDictionary({});
    QVERIFY(openStore());
    QString error;
    QStringList words;
    QVERIFY(DictionaryStore::recentWords(&words, &error));
    QVERIFY(words.isEmpty());
    QStringList expected;
    for (int i = 1; i <= 25; ++i) {
        const QString word = QStringLiteral("w%1").arg(i);
        QVERIFY(DictionaryStore::record(word, &error));
        if (i > 5)
            expected.prepend(word);
    }
    QVERIFY(DictionaryStore::record(QStringLiteral("w25"), &error));
    expected.prepend(QStringLiteral("w25"));
    expected.removeLast();
    QVERIFY(DictionaryStore::recentWords(&words, &error));
    QCOMPARE(words, expected);
    QCOMPARE(environment->history().size(), 26);
}

void TestStore::clearEmptiesOnlyTheHistory()
{
    environment->createDictionary({{"apple", "x"}});
    QVERIFY(openStore());
    QString error;
    QVERIFY(DictionaryStore::clear(&error)); // empty table: fine
    QVERIFY(DictionaryStore::record(QStringLiteral("apple"), &error));
    QVERIFY(DictionaryStore::clear(&error));
    QVERIFY(environment->history().isEmpty());
    QCOMPARE(environment->scalar(QStringLiteral("select count(*) from dict")).toInt(), 1);
}

void TestStore::statementsFailOnAFileThatIsNotSqlite()
{
    QFile file(environment->databasePath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    openStore();
    QString value;
    QString error;
    QVERIFY(!DictionaryStore::lookup(QStringLiteral("apple"), &value, &error));
    QVERIFY2(error.contains(QLatin1String("not a database")), qPrintable(error));
    QStringList words;
    QVERIFY(!DictionaryStore::recentWords(&words, &error));
    QVERIFY(!DictionaryStore::clear(&error));
    QCOMPARE(QFileInfo(environment->databasePath()).size(), 4096);
}

QTEST_MAIN(TestStore)
#include "tst_store.moc"

// SPDX-License-Identifier: MIT
// The user's own copy of the installed word list, as the Windows launcher
// keeps it: copied on first use, a changed installed list merged in keeping
// the user's history and imports, and the copy kept when that fails.
#include "tests/testsupport.h"
#include "tools/launcher/userwordlist.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestUserWordList : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void firstStartCopies();
    void changedListMergedIntoCopy();

private:
    void install(const QByteArray &list);
    bool prepare(const QString &importer = QStringLiteral(IMPORTER));
    QString value(const QString &key) const;

    QTemporaryDir installed;
    std::unique_ptr<TestEnvironment> environment;
    QString warning;
};

void TestUserWordList::init()
{
    // The user's folder is the test's: its en-si.db is the copy.
    environment = std::make_unique<TestEnvironment>();
    warning.clear();
}

void TestUserWordList::cleanup()
{
    environment.reset();
}

// Installs a word list and the en-si.db made from it, as an installer does.
void TestUserWordList::install(const QByteArray &list)
{
    const QString tsv = installed.filePath(QStringLiteral("en-si.tsv"));
    const QString db = installed.filePath(QStringLiteral("en-si.db"));
    writeFile(tsv, list);
    QFile::remove(db);
    QCOMPARE(runProgram(QStringLiteral(IMPORTER), {tsv, db}).status, 0);
}

bool TestUserWordList::prepare(const QString &importer)
{
    UserWordList copy({installed.filePath(QStringLiteral("en-si.db")), importer}, environment->path());
    QString error;
    const bool ok = copy.prepare(&error, &warning);
    if (!ok)
        qWarning() << error;
    return ok;
}

QString TestUserWordList::value(const QString &key) const
{
    return environment->scalar(QStringLiteral("select value from dict where key = '%1'").arg(key)).toString();
}

void TestUserWordList::firstStartCopies()
{
    install("water\tවතුර|ජලය\n");
    QVERIFY(prepare());
    QCOMPARE(value(QStringLiteral("water")), QString::fromUtf8("වතුර|ජලය"));
    QCOMPARE(environment->history(), QStringList());
    QVERIFY(warning.isEmpty());
    QVERIFY(!QFile::exists(environment->databasePath() + QStringLiteral(".partial")));
}

void TestUserWordList::changedListMergedIntoCopy()
{
    install("water\tවතුර|ජලය\nbook\tපොත\n");
    QVERIFY(prepare());
    environment->exec(QStringLiteral("insert into history(word) values ('water')"));
    environment->exec(QStringLiteral("insert into dict values ('zebu', 'සීබු')"));

    // Unchanged: no import is needed, so none is run.
    QVERIFY(prepare(QStringLiteral("no-such-importer")));
    QVERIFY(warning.isEmpty());

    // Changed, and the importer fails: the copy stays as it was.
    install("water\tජලය\n");
    QVERIFY(prepare(QStringLiteral("no-such-importer")));
    QVERIFY(!warning.isEmpty());
    QCOMPARE(value(QStringLiteral("water")), QString::fromUtf8("වතුර|ජලය"));

    // Merged: what left the list leaves the copy, the user's stays.
    warning.clear();
    QVERIFY(prepare());
    QVERIFY(warning.isEmpty());
    QCOMPARE(value(QStringLiteral("water")), QString::fromUtf8("ජලය"));
    QCOMPARE(value(QStringLiteral("book")), QString());
    QCOMPARE(value(QStringLiteral("zebu")), QString::fromUtf8("සීබු"));
    QCOMPARE(environment->history(), QStringList{"water"});
}

QTEST_MAIN(TestUserWordList)
#include "tst_userwordlist.moc"

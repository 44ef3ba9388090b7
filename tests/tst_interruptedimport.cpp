// SPDX-License-Identifier: MIT
// An import into a new file that is stopped part-way leaves nothing behind:
// SIGINT and SIGTERM remove the partial file at once, after SIGKILL the next
// run does.
#include "tests/testsupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <QThread>

#include <csignal>

namespace {

QStringList partialFiles(const QString &directory)
{
    return QDir(directory).entryList({"new.db.part-*"}, QDir::Files);
}

} // namespace

class TestInterruptedImport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void stopped_data();
    void stopped();

private:
    TestEnvironment environment;
    QString list;
};

void TestInterruptedImport::initTestCase()
{
    // Big enough that writing it takes a while.
    list = environment.path() + QStringLiteral("/list.tsv");
    QFile file(list);
    QVERIFY(file.open(QIODevice::WriteOnly));
    for (int i = 0; i < 300000; ++i)
        file.write("word" + QByteArray::number(i) + "\tසිංහල|" + QByteArray::number(i) + "\n");
}

void TestInterruptedImport::stopped_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<bool>("leftBehind");
    QTest::newRow("SIGINT") << int(SIGINT) << false;
    QTest::newRow("SIGTERM") << int(SIGTERM) << false;
    QTest::newRow("SIGKILL") << int(SIGKILL) << true;
}

void TestInterruptedImport::stopped()
{
    QFETCH(int, signalNumber);
    QFETCH(bool, leftBehind);
    const QString directory = environment.path();
    QProcess import;
    import.start(QStringLiteral(IMPORTER), {"--no-reverse", list, directory + QStringLiteral("/new.db")});
    QVERIFY(import.waitForStarted());
    const QString owned = QStringLiteral("new.db.part-%1-").arg(import.processId());
    // Held still as soon as its partial file appears, so that it cannot
    // finish before the signal arrives.
    QElapsedTimer waited;
    waited.start();
    while (partialFiles(directory).isEmpty() && ::kill(pid_t(import.processId()), 0) == 0 && waited.elapsed() < 60000)
        QThread::usleep(200);
    QVERIFY2(::kill(pid_t(import.processId()), SIGSTOP) == 0, "the import ended before its file appeared");
    QCOMPARE(partialFiles(directory).size(), 1);
    QVERIFY(partialFiles(directory).first().startsWith(owned));
    ::kill(pid_t(import.processId()), signalNumber);
    ::kill(pid_t(import.processId()), SIGCONT);
    QVERIFY(import.waitForFinished(60000));
    QCOMPARE(import.exitStatus(), QProcess::CrashExit);
    QVERIFY(!QFile::exists(directory + QStringLiteral("/new.db")));
    QCOMPARE(partialFiles(directory).isEmpty(), !leftBehind);
    if (!leftBehind)
        return;

    // The next run into the same file finds the owner gone and says what it
    // removed.
    const QStringList left = partialFiles(directory);
    QProcess next;
    next.start(QStringLiteral(IMPORTER), {"--no-reverse", list, directory + QStringLiteral("/new.db")});
    QVERIFY(next.waitForFinished(120000));
    QCOMPARE(next.exitCode(), 0);
    const QString said = QString::fromUtf8(next.readAllStandardError());
    QVERIFY2(said.contains(QStringLiteral("removed ") + directory + QLatin1Char('/') + left.first()), qPrintable(said));
    QCOMPARE(partialFiles(directory), QStringList());
    QVERIFY(QFile::remove(directory + QStringLiteral("/new.db")));
}

QTEST_GUILESS_MAIN(TestInterruptedImport)
#include "tst_interruptedimport.moc"
